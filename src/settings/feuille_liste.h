#pragma once
// A reference list's window: the whole table in a grid, edited in place, and a picker for
// the fields that take their values from the list.
#include "platform/forms/fenetre_donnees.h"
#include "settings/listes.h"

namespace reglages {

class FeuilleListe : public FenetreDonnees {
    Q_OBJECT
public:
    explicit FeuilleListe(const listes::DescriptionListe& description);
    const listes::DescriptionListe& description() const { return description_; }

private:
    listes::DescriptionListe description_;
};

}  // namespace reglages
