#include "shell/feuilles_simples.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/controles_simples.h"
#include "shell/dessins.h"
#include "shell/module1.h"
#include "shell/version.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/listes_fichiers.h"
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QSysInfo>
#include <QTimer>
#include <QVBoxLayout>

using forms::etiquette;

namespace shell {

namespace {
const QColor jaune_pale(255, 255, 128);
const QColor bleu(0, 0, 255);

struct Suite {
    std::function<void()> montrer, charger;
};
Suite& suite_accueil() {
    static Suite suite;
    return suite;
}

void colorer(QLabel* l, const QColor& fond, const QColor& texte) {
    QPalette p = l->palette();
    p.setColor(QPalette::Window, fond);
    p.setColor(QPalette::WindowText, texte);
    l->setPalette(p);
}
}  // namespace

// ---- splash ----

FeuilleAccueil::FeuilleAccueil() : forms::Feuille(noms::accueil, false) {
    setWindowFlag(Qt::FramelessWindowHint);
    auto* cadre = new QFrame(this);
    cadre->setObjectName(QStringLiteral("Frame1"));
    cadre->setFrameShape(QFrame::Box);
    cadre->setLineWidth(2);

    auto* image1 = etiquette(cadre, "Image1");
    image1->setPixmap(dessin_ecole());
    auto* image2 = etiquette(cadre, "Image2");
    image2->setPixmap(dessin_cahier());
    auto* produit = etiquette(cadre, "lblProductName");
    QFont grand = produit->font();
    grand.setPointSize(grand.pointSize() * 2);
    grand.setBold(true);
    produit->setFont(grand);
    auto* version = etiquette(cadre, "lblVersion");
    auto* plateforme = etiquette(cadre, "lblPlatform", QSysInfo::prettyProductName());
    auto* societe = etiquette(cadre, "lblCompany", QStringLiteral("Gestion administrative de l'école maternelle et élémentaire"));
    auto* avertissement = etiquette(cadre, "lblWarning",
        QStringLiteral("Les données des élèves et des familles sont confidentielles : un code d'accès "
                       "réserve l'ouverture de la base au personnel qui le connaît, mais ne chiffre pas le "
                       "fichier. Rangez-le dans un dossier protégé."));
    avertissement->setWordWrap(true);
    label1_ = etiquette(cadre, "Label1", QStringLiteral("Cliquez ou pressez une touche quelconque"));
    label1_->setAutoFillBackground(true);
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setMargin(4);
    colorer(label1_, jaune_pale, bleu);

    auto* grille = new QGridLayout(cadre);
    grille->addWidget(image1, 0, 0, 2, 1);
    grille->addWidget(produit, 0, 1);
    grille->addWidget(version, 1, 1);
    grille->addWidget(image2, 0, 2, 2, 1);
    grille->addWidget(plateforme, 2, 1);
    grille->addWidget(societe, 3, 0, 1, 3);
    grille->addWidget(avertissement, 4, 0, 1, 3);
    grille->addWidget(label1_, 5, 0, 1, 3);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(cadre);

    auto* fichiers = new forms::ListeFichiers(this);
    fichiers->setObjectName(QStringLiteral("File1"));
    fichiers->hide();

    auto* minuterie = new QTimer(this);
    minuterie->setObjectName(QStringLiteral("Timer1"));
    minuterie->setInterval(600);
    connect(minuterie, &QTimer::timeout, this, &FeuilleAccueil::clignoter);
    minuterie->start();

    // A click on any visible control dismisses the splash; the window itself takes the keys.
    installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(cadre), static_cast<QWidget*>(image1), static_cast<QWidget*>(image2),
                       static_cast<QWidget*>(label1_), static_cast<QWidget*>(societe),
                       static_cast<QWidget*>(plateforme), static_cast<QWidget*>(produit),
                       static_cast<QWidget*>(version), static_cast<QWidget*>(avertissement)})
        w->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    definirTaille(7200, 4200);
}

void FeuilleAccueil::definirSuite(std::function<void()> montrer, std::function<void()> charger) {
    suite_accueil() = {std::move(montrer), std::move(charger)};
}

void FeuilleAccueil::Form_Load() {
    forms::pieger([this] {
        controle<QLabel>(QStringLiteral("lblVersion"))->setText(version::texte());
        controle<QLabel>(QStringLiteral("lblProductName"))->setText(QString::fromUtf8(version::titre));
        Module1::centrer_feuille(*this);
        // Its list has never been browsed: its folder is the one current at start.
        controle<forms::ListeFichiers>(QStringLiteral("File1"))->setPath(QDir::currentPath());
        afficher();
        repaint();
    });
}

void FeuilleAccueil::Form_Unload(int&) {
    forms::pieger([this] {
        Module1::chemin_programme = controle<forms::ListeFichiers>(QStringLiteral("File1"))->Path() + QLatin1Char('/');
        Module1::lire_options();
    });
}

void FeuilleAccueil::clignoter() {
    if (label1_->palette().color(QPalette::Window) == jaune_pale) colorer(label1_, bleu, jaune_pale);
    else colorer(label1_, jaune_pale, bleu);
}

bool FeuilleAccueil::eventFilter(QObject* objet, QEvent* e) {
    // A key anywhere; a click on one of the visible controls, not on the bare window margin.
    const bool clic = e->type() == QEvent::MouseButtonPress && objet != this;
    if (clic || e->type() == QEvent::KeyPress) {
        congedier();
        return true;
    }
    return forms::Feuille::eventFilter(objet, e);
}

void FeuilleAccueil::congedier() {
    if (congedie_) return;
    congedie_ = true;
    // Left to the event loop: the splash is deleted, which cannot happen inside its own event.
    QTimer::singleShot(0, this, [this] {
        const Suite suite = suite_accueil();
        if (suite.montrer) suite.montrer();
        decharger();
        if (suite.charger) suite.charger();
    });
}

// ---- wait window ----

FeuillePatientez::FeuillePatientez() : forms::Feuille(noms::patientez) {
    auto* disposition = new QVBoxLayout(this);
    auto* l = etiquette(this, "Label1", QStringLiteral("Patientez quelques instants..."));
    l->setAlignment(Qt::AlignCenter);
    disposition->addWidget(l);
    definirTaille(4500, 1200);
}

void FeuillePatientez::Form_Load() { Module1::centrer_feuille(*this); }

}  // namespace shell
