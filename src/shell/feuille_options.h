#pragma once
// The start-up options window: hidden, never closed, so that its check boxes keep the
// choices for the whole run.
#include "platform/forms/feuille.h"
#include <QVector>

namespace shell {

class FeuilleOptions : public forms::Feuille {
    Q_OBJECT
public:
    FeuilleOptions();
    void Form_Load() override;
    bool masqueeALaFermeture() const override { return true; }

protected:
    void showEvent(QShowEvent* e) override;
    // Escape closes without writing the options: the boxes go back to what they showed.
    bool echap() override;

private:
    void accepter();
    QVector<Qt::CheckState> montrees_;  // the boxes as the window was shown
};

}  // namespace shell
