#pragma once
// Self-extending lookups: leaving certain fields of the record windows with a value that
// their reference list lacks adds the value to that list and says so. One procedure,
// configured by the table of instances in liste_auto_extensible.cpp (the family window's
// address, family situation, insurer and yes/no fields; the pupil window's residence address,
// sex and modern language).
//
// A record window calls installer(*this) once its fields exist: every instance of that
// window then runs when its field loses the focus. Values written into the field by a
// picker or a command do not run it.
#include <QString>
#include <QVector>

namespace forms { class Feuille; }

namespace listes_auto {

struct Instance {
    QString fenetre;      // record window (noms::famille)
    QString champ;        // its text box ("Text2")
    QString liste;        // the list's window (noms::adresses), whose description gives its
                          // table and binder
    QString premiereLigne;  // first line of the message telling the addition
    QString table() const;
};

const QVector<Instance>& table();
const Instance* chercher(const QString& fenetre, const QString& champ);

// Runs every instance of this window when its field loses the focus.
void installer(forms::Feuille& fenetre);

// The procedure for one instance and a typed text. Empty text: nothing, not even a binding.
// Otherwise the list window is bound (hidden), narrowed to rows whose `détails` matches the
// text with the engine's LIKE ("*" and "?" are wildcards; quotes are looked for as typed);
// with no match the text is added as a new row through the list's grid and the message
// is shown (information icon). The list window ends bound to its whole table. Failures are
// reported with the general error message; nothing is added then.
void completer(const Instance& instance, const QString& texte);

}  // namespace listes_auto
