#pragma once
// Lays the records of a template out into pages, or into a table for the spreadsheet.
#include "platform/report/donnees.h"
#include "platform/report/modele.h"
#include "platform/report/page.h"

#include <QDate>
#include <QHash>

namespace report {

// The caller's named formulas, by name.
using Formules = QHash<QString, QString>;

DocumentRendu mettre_en_page(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour);
Tableau mettre_en_tableau(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour);

// A value as the report prints it: dates JJ/MM/AAAA, yes/no "Oui"/"Non", numbers without
// useless decimals.
QString texte_valeur(const QVariant& v);

}  // namespace report
