#pragma once
#include <QObject>
#include <QVector>

// One object per group of tests, run in this order by main.cpp.
QObject* essai_shell();
QObject* essai_acces();
QObject* essai_copyright();

inline QVector<QObject*> essais_shell() { return {essai_shell(), essai_acces(), essai_copyright()}; }
