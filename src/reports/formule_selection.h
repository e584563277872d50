#pragma once
// The cycle, level and class filter of the processing window, turned into the record
// selection of the report control.
#include <QString>

namespace Module1 {

// Leaves in the report control the selection for the filter boxes of "feuille_traitements"
// (loading that window, unshown, when it is not loaded yet). Errors are reported with the
// general error box; the control then keeps whatever selection it holds.
void construire_formule_selection();

}  // namespace Module1

namespace reports {

// The selection itself, from the three box texts as typed: "TOUS" / "TOUS" / "TOUTES" are
// the "all" values and filter nothing; the others give one part each, joined by " AND ".
QString formule_selection(const QString& cycle, const QString& niveau, const QString& classe);

// The same filter as the pages show it, given to the templates as the named formula
// `filtre` ({@filtre}): "Cycle : TOUS - Niveau : CP - Classe : TOUTES".
QString libelle_filtre(const QString& cycle, const QString& niveau, const QString& classe);
// The report control's slot of that formula, apart from those of the documents.
constexpr int FormuleFiltre = 30;

}  // namespace reports
