#pragma once
// A reference list's window: the whole table in a grid, edited in place, and a picker for
// the fields that take their values from the list.
#include "platform/forms/fenetre_donnees.h"
#include "platform/forms/grille_donnees.h"
#include <QString>
#include <QVector>
#include <functional>

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
    // The question "&Supprimer" asks about the current row (Yes/No, default No); none: the row
    // is deleted at once.
    std::function<QString(const FenetreDonnees&)> questionSuppression = nullptr;
};

}  // namespace forms

namespace forms {

class FeuilleListe : public FenetreDonnees {
    Q_OBJECT
public:
    explicit FeuilleListe(const forms::DescriptionListe& description);
    const forms::DescriptionListe& description() const { return description_; }

protected:
    QString questionSuppression() const override;

private:
    forms::DescriptionListe description_;
};

}  // namespace forms
