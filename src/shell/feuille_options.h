#pragma once
// The start-up options window: hidden, never closed, so that its check boxes keep the
// choices for the whole run.
#include "platform/forms/feuille.h"

namespace shell {

class FeuilleOptions : public forms::Feuille {
    Q_OBJECT
public:
    FeuilleOptions();
    void Form_Load() override;
    bool masqueeALaFermeture() const override { return true; }

private:
    void accepter();
};

}  // namespace shell
