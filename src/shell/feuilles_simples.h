#pragma once
// The splash, wait and about windows.
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

    // Called once, when the user dismisses the splash.
    static void definirSuite(std::function<void()> suite);

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

class FeuilleCopyright : public forms::Feuille {
    Q_OBJECT
public:
    FeuilleCopyright();
    void Form_Load() override;
    bool masqueeALaFermeture() const override { return true; }
};

}  // namespace shell
