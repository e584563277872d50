#pragma once
// A reference list's window: the whole table in a grid, edited in place, and a picker for
// the fields that take their values from the list.
#include "platform/forms/fenetre_donnees.h"
#include "platform/forms/grille_donnees.h"
#include <QString>
#include <QVector>

namespace forms {

enum class FondListe { Blanc, CouleurFenetre };

// What a list window shows: the settings' thirteen reference lists and the family picker
// are each one of these.
struct DescriptionListe {
    QString fenetre;   // window name
    QString legende;   // window caption
    QVector<forms::ColonneGrille> colonnes;
    FondListe fond = FondListe::Blanc;
    bool relais = true;  // a double-click on a row accepts, as "Accepter" does
};

}  // namespace forms

namespace forms {

class FeuilleListe : public FenetreDonnees {
    Q_OBJECT
public:
    explicit FeuilleListe(const forms::DescriptionListe& description);
    const forms::DescriptionListe& description() const { return description_; }

private:
    forms::DescriptionListe description_;
};

}  // namespace forms
