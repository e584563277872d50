#pragma once
// A settings window of labelled text boxes (school, inspection, teaching team), built from
// its description (fiches.h) on the data-window behaviour.
#include "platform/forms/fenetre_donnees.h"
#include "settings/fiches.h"

namespace reglages {

class FeuilleFiche : public forms::FenetreDonnees {
    Q_OBJECT
public:
    explicit FeuilleFiche(const fiches::DescriptionFiche& description);
    const fiches::DescriptionFiche& description() const { return description_; }

private:
    fiches::DescriptionFiche description_;
};

}  // namespace reglages
