#pragma once
#include <QObject>
#include <QVector>

// One object per group of tests, run in this order by main.cpp.
QObject* essai_clavier();
QObject* essai_ecran();

inline QVector<QObject*> essais_clavier_ecran() { return {essai_clavier(), essai_ecran()}; }
