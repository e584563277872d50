#pragma once
#include <QObject>
#include <QVector>

// One object per group of tests, run in this order by main.cpp.
QObject* essai_export();

inline QVector<QObject*> essais_passerelle() { return {essai_export()}; }
