#include "shell/feuille_login.h"
#include "platform/forms/noms_feuilles.h"
#include "shell/dessins.h"
#include "platform/forms/placement.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/twips.h"
#include "platform/forms/reactions.h"
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace shell {

namespace {
QLineEdit* tentative_du_choix() {
    return forms::Feuilles::charger(noms::choix_base)
        .controle<QLineEdit>(QStringLiteral("accès_tentavive"));
}
}  // namespace

FeuilleLogin::FeuilleLogin(QWidget* parent) : QDialog(parent) {
    setObjectName(noms::login);
    // No caption: the window shows only its two lines and the code.
    setWindowTitle(QString());
    setModal(true);

    saisie_ = new QLineEdit(this);
    saisie_->setObjectName(QStringLiteral("accès_tentavive"));
    saisie_->setEchoMode(QLineEdit::Password);
    saisie_->setMaxLength(10);
    saisie_->setToolTip(QStringLiteral("Saisissez le code d'accès à la base de données"));

    auto* accepter = new QPushButton(QStringLiteral("A&ccepter"), this);
    accepter->setObjectName(QStringLiteral("cmdMettreàjour"));
    accepter->setToolTip(QStringLiteral("Cliquez pour ouvrir la base de données sélectionnée"));
    accepter->setDefault(true);
    auto* annuler = new QPushButton(QStringLiteral("&Annuler"), this);
    annuler->setObjectName(QStringLiteral("cmdFermer"));
    annuler->setToolTip(QStringLiteral("Cliquez pour annuler"));

    auto* ligne1 = new QLabel(QStringLiteral("Saisissez le code d'accès"), this);
    auto* ligne2 = new QLabel(QStringLiteral("à la base de données"), this);
    ligne1->setObjectName(QStringLiteral("lblLabels"));
    ligne2->setObjectName(QStringLiteral("lblLabels"));

    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPixmap(dessin_cle());
    image2_ = new QLabel(this);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->setPixmap(dessin_cle());
    for (QLabel* image : {image1_, image2_}) {
        QSizePolicy politique = image->sizePolicy();
        politique.setRetainSizeWhenHidden(true);  // the blinking must not move the text
        image->setSizePolicy(politique);
    }

    auto* grille = new QGridLayout(this);
    grille->addWidget(image1_, 0, 0, 2, 1);
    grille->addWidget(ligne1, 0, 1);
    grille->addWidget(ligne2, 1, 1);
    grille->addWidget(image2_, 0, 2, 2, 1);
    grille->addWidget(saisie_, 2, 0, 1, 3);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(accepter);
    boutons->addWidget(annuler);
    grille->addLayout(boutons, 3, 0, 1, 3);

    auto* minuterie = new QTimer(this);
    minuterie->setObjectName(QStringLiteral("Timer1"));
    minuterie->setInterval(300);
    connect(minuterie, &QTimer::timeout, this, &FeuilleLogin::clignoter);
    minuterie->start();

    forms::relier(accepter, &QPushButton::clicked, this, &FeuilleLogin::accepter);
    forms::relier(annuler, &QPushButton::clicked, this, &FeuilleLogin::annuler);

    // Load: centred on the screen, raised by 500 twips like every other window.
    adjustSize();
    forms::pieger([this] {
        const QRect ecran = QGuiApplication::primaryScreen()->geometry();
        const forms::Position p = forms::position_centree(
            float(forms::twips(width())), float(forms::twips(height())),
            float(forms::twips(ecran.width())), float(forms::twips(ecran.height())), 500.0f, 0.0f);
        move(forms::pixels(p.left), forms::pixels(p.top));
    }, forms::Prefixe::Donnees);
}

void FeuilleLogin::accepter() {
    QLineEdit* tentative = tentative_du_choix();
    tentative->setText(saisie_->text());
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    accept();
    tentative->window()->repaint();
}

void FeuilleLogin::annuler() {
    tentative_du_choix()->clear();
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    reject();
}

void FeuilleLogin::clignoter() {
    const bool visible = !image1_->isHidden();
    image1_->setVisible(!visible);
    image2_->setVisible(!visible);
}

}  // namespace shell
