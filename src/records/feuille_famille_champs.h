#pragma once
// The family window's fields: one row per text box, the single source of what each box
// edits, how long it may be, where it stands, whether entering it turns the tabbed control,
// its tooltip and what stands beside it (a label, a choice button or a search button).
#include <QString>
#include <QVector>

namespace famille {

// Where a box stands: above the tabs, or on one of the three tabs of SSTab1.
constexpr int AuDessusDesOnglets = -1;

enum class Voisin {
    Libelle,    // a label
    Choix,      // a choice button that opens a picker
    Recherche,  // a search button ("Positionnement sur une fiche")
};

struct Champ {
    QString zone;         // the text box's name
    QString champ;        // the field of `familles`
    int longueurMax = 0;  // 0: no limit (the multi-line box)
    int onglet = AuDessusDesOnglets;
    bool tourneOnglet = false;
    QString infobulle;
    Voisin voisin = Voisin::Libelle;
    QString bouton;       // the button beside it, for Choix and Recherche
    QString libelle;      // the label's or the button's caption
    QString cadre;        // the frame that holds it ("" directly on its tab)
    int colonne = 0;      // 0 left, 1 right inside its frame
};

// The 44 boxes, in the window's tab order.
const QVector<Champ>& champs();
const Champ* champ(const QString& zone);

// The frames of the tabs: name and caption.
struct Cadre {
    QString nom;
    QString legende;
    int onglet;
};
const QVector<Cadre>& cadres();

// The three tabs' captions, in order.
QStringList onglets();

// The multi-line box (vertical scroll bar), the only one not limited in length.
bool multiligne(const Champ& c);

}  // namespace famille
