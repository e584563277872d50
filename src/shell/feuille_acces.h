#pragma once
// "Protection de l'accès aux données": where the access code of the open database is
// changed. The stored code sits in the hidden `accès_actuel`, bound to the one record of
// `passe`; "&Valider" saves the new code only when the old one was typed exactly and the new
// one was confirmed.
#include "platform/forms/fenetre_donnees.h"

class QLineEdit;

namespace shell {

class FeuilleAcces : public forms::FenetreDonnees {
    Q_OBJECT
public:
    FeuilleAcces();
    void cmdMettreajour_Click() override;

    // Every box of the window holds at most this many characters, as the field does.
    static constexpr int LongueurCode = 10;

protected:
    void apresPlacement() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QLineEdit* ancien_;
    QLineEdit* nouveau_;
    QLineEdit* confirmation_;
    QLineEdit* actuel_;
};

}  // namespace shell
