#pragma once
// The 21 formulas that a document template gives to "document.rpt": their names, in index
// order, the control of the template window that switches each one, and the formula texts.
// The template window's preview and the printing for a pupil fill them from the same table.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace documents {

constexpr int NombreFormules = 21;

struct Emplacement {
    const char* nom;        // "date_contrôlée"
    const char* controle;   // the template window's check box ("Check5") or text box ("titre")
    bool blanc;             // one blank after "=" (all but the guardian's four lines)
};

const std::array<Emplacement, NombreFormules>& emplacements();
// Is the slot switched by a check box (true) or by its text box having text (false)?
bool par_case(int emplacement);

// A template as the template window shows it: the text of each text box and the check boxes
// that are ticked (a greyed box is not).
struct Gabarit {
    QHash<QString, QString> textes;  // by control name
    QSet<QString> cochees;           // names of the ticked check boxes
};

// The values of the slots switched by a box (the date, the guardian, the head teacher, the
// pupil, the signature and stamp); a slot without a value (nullopt) stays empty whatever its
// box says. The slots of the template's texts take their text from the template.
using Valeurs = std::array<std::optional<QString>, NombreFormules>;

// "nom= \"valeur\"" (no blank in the guardian's lines), a double quote of the value doubled;
// "" when the slot is off.
QString formule(int emplacement, const QString& valeur);
// The 21 formula texts of a template with these values.
QStringList formules(const Gabarit& g, const Valeurs& v);

// The record selection that names a template: {documents.intitulé_bouton} = "nom".
QString selection_document(const QString& nom);
// "intitulé_bouton = \"nom\"", to find a template in the template window's data.
QString critere_document(const QString& nom);

// Sends a document to the report control: report file "document.rpt" of the program folder,
// data file, the 21 formulas, the selection, then the window (maximised) or the printer, and
// runs it. A refusal of the engine is raised to the caller.
void imprimer_document(const QStringList& formules, const QString& selection, bool imprimante);

}  // namespace documents
