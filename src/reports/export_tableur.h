#pragma once
// The main window's "Exportation des données au format Excel": the pupils of the processing
// window's filter written to a spreadsheet file (".XLS") through the template
// "fiche_export.rpt". Errors are reported inside; the caller only calls it.
namespace reports {

void exporter_donnees_excel();

}  // namespace reports
