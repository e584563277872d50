#pragma once
// A binary Excel 97 workbook (".XLS"): one sheet, the headings on the first row, one row per
// record, every value a text cell from the shared string table.
#include "platform/report/page.h"

#include <QByteArray>

namespace report {

// Throws Erreur 5 beyond the format's 65,536 rows or 256 columns.
QByteArray classeur_excel(const Tableau& t);

}  // namespace report
