#pragma once
#include <QObject>
#include <QVector>

// One object per group of tests, run in this order by main.cpp.
QObject* essai_formule_selection();
QObject* essai_traitements();
QObject* essai_export_tableur();
QObject* essai_modeles();
QObject* essai_pages_imprimees();
QObject* essai_coupures();

inline QVector<QObject*> essais_reports() {
    return {essai_formule_selection(), essai_traitements(), essai_export_tableur(), essai_modeles(),
            essai_pages_imprimees(), essai_coupures()};
}
