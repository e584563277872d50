#pragma once
// The splash and wait windows.
#include "platform/forms/feuille.h"

class QLabel;

namespace shell {

// Shown first, outside the main window; a click or a key dismisses it.
class FeuilleAccueil : public forms::Feuille {
    Q_OBJECT
public:
    FeuilleAccueil();
    void Form_Load() override;
    void Form_Unload(int& annuler) override;

    // What dismissing the splash leads to: `montrer` runs before the splash unloads (the
    // main window appears, so that its area has its real size for the windows that the
    // unload loads), `charger` after it.
    static void definirSuite(std::function<void()> montrer, std::function<void()> charger);

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void clignoter();
    void congedier();
    QLabel* label1_;
    bool congedie_ = false;
};

class FeuillePatientez : public forms::Feuille {
    Q_OBJECT
public:
    FeuillePatientez();
    void Form_Load() override;
};

}  // namespace shell
