#include "shell/feuille_acces.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/limites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/reactions.h"
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

namespace {

QLineEdit* zone_code(QWidget* parent, const char* nom, const char* infobulle) {
    auto* z = new QLineEdit(parent);
    z->setObjectName(QString::fromUtf8(nom));
    z->setEchoMode(QLineEdit::Password);
    // A code typed or pasted longer than the stored code can be is refused and told, never cut.
    forms::limiter(z, FeuilleAcces::LongueurCode, [z] { return forms::libelle_de(z); });
    z->setToolTip(QString::fromUtf8(infobulle));
    return z;
}

}  // namespace

FeuilleAcces::FeuilleAcces() : forms::FenetreDonnees(noms::acces) {
    setCaption(QStringLiteral("Protection de l'accès aux données"));
    ancien_ = zone_code(this, "accès_ancien", "Saisissez l'ancien code d'accès pour pouvoir en saisir un nouveau");
    nouveau_ = zone_code(this, "accès_nouveau", "Saisissez le nouveau code d'accès");
    confirmation_ = zone_code(this, "accès_confirmation", "Saisissez une nouvelle fois le code d'accès pour confirmation");
    auto* grille = new QGridLayout;
    const char* libelles[3] = {"ancien code d'accès", "nouveau code d'accès", "confirmation du nouveau code"};
    QLineEdit* zones[3] = {ancien_, nouveau_, confirmation_};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(QString::fromUtf8(libelles[i]), this);
        l->setObjectName(QStringLiteral("lblLabels(%1)").arg(i));
        l->setBuddy(zones[i]);
        forms::nommer(zones[i], l);
        grille->addWidget(l, i, 0);
        grille->addWidget(zones[i], i, 1);
    }
    setTabOrder(ancien_, nouveau_);
    setTabOrder(nouveau_, confirmation_);
    // Enter in any of the three boxes validates, as the button would.
    for (QLineEdit* z : {ancien_, nouveau_, confirmation_})
        forms::relier(z, &QLineEdit::returnPressed, this, &FeuilleAcces::cmdMettreajour_Click);

    actuel_ = new QLineEdit(this);
    actuel_->setObjectName(QStringLiteral("accès_actuel"));
    actuel_->hide();
    datPrimaryRS()->lier(actuel_, QStringLiteral("passe"), LongueurCode);

    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(grille);
    disposition->addStretch();
    disposition->addWidget(barreBoutons());
    definirTaille(5400, 2400);
}

void FeuilleAcces::apresPlacement() { ancien_->setFocus(); }

// The code is compared as typed: case counts, nothing is trimmed.
void FeuilleAcces::cmdMettreajour_Click() {
    if (ancien_->text() != actuel_->text()) {
        forms::boite_message(QStringLiteral("Modification du code d'accès impossible... "
                                            "Vous devez saisir l'ancien code d'accès pour pouvoir le modifier..."),
                             forms::styles::Avertissement);
        return;
    }
    if (nouveau_->text() != confirmation_->text()) {
        forms::boite_message(QStringLiteral("Modification du code d'accès impossible... "
                                            "La confirmation n'est pas identique à la saisie..."),
                             forms::styles::Avertissement);
        return;
    }
    actuel_->setText(confirmation_->text());
    forms::ControleDonnees* donnees = datPrimaryRS();
    donnees->UpdateRecord();
    auto& rs = donnees->Recordset();
    const QVariant signet = rs.LastModified();
    if (signet.isValid()) rs.setBookmark(signet);
    forms::boite_message(QStringLiteral("Modification du code d'accès effectuée... "
                                        "Le nouveau code d'accès est actif, ne l'oubliez pas!"),
                         forms::styles::Avertissement);
}

void FeuilleAcces::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        cmdFermer_Click();
        return;
    }
    forms::FenetreDonnees::keyPressEvent(e);
}

}  // namespace shell
