#pragma once
// The pupil window's binding table: every field of `élèves` that the window edits, with its
// control, its length limit, its tab, its tooltip, the label or choice button beside it and its
// place in the tab. The window builds its fields from this table and nothing else says these
// facts.
#include <QString>
#include <QVector>

namespace eleve {

enum class Genre {
    Ligne,      // one-line text box
    Multiligne, // several lines, vertical scroll bar, no limit
    Verrouille, // one line, shown but not typed into
    Cachee,     // bound but never shown
    Case,       // check box (yes/no field)
};

constexpr int Haut = -1;  // above the tabs, always visible

struct Champ {
    const char* controle;
    const char* champ;     // field of `élèves`
    int max;               // most characters typed (0: no limit)
    int onglet;            // tab of SSTab1, or Haut
    const char* infobulle; // "" none (the configurable fields get theirs at run time)
    Genre genre;
    const char* libelle;   // label beside the field, or the name of the button that serves as its label
    int ligne, colonne;    // place in its tab (or frame): label and field take two grid columns
    const char* cadre = "";  // the frame holding it inside its tab ("" the tab page itself)
};

const QVector<Champ>& champs();
const Champ* champ(const QString& controle);

// The buttons that stand beside a field as its label, and the window's other buttons.
struct Bouton {
    const char* nom;
    const char* legende;
    const char* infobulle;
};
const QVector<Bouton>& boutons();
const Bouton* bouton(const QString& nom);

// The tab captions of SSTab1, by index.
const QStringList& onglets();

}  // namespace eleve
