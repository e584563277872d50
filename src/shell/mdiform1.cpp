#include "shell/mdiform1.h"
#include "shell/fichiers_base.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/clavier.h"
#include "platform/forms/verrous_clavier.h"
#include "shell/menus.h"
#include "shell/module1.h"
#include "shell/options.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include <QCloseEvent>
#include <QApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace shell {

namespace {
MDIForm1* principale = nullptr;

// Panels 4 to 6 show the state of a lock key: the key that toggles each.
const Qt::Key touches_etat[3] = {Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_Insert};

// A key press travels up through the parents; it is counted once, at the widget it reached first.
QObject* destinataire_clavier() {
    if (QWidget* w = QApplication::focusWidget()) return w;
    return QApplication::activeWindow();
}
}  // namespace

MDIForm1* fenetre_principale() { return principale; }

MDIForm1::MDIForm1() {
    setObjectName(noms::MDIForm1);
    setWindowTitle(QStringLiteral("Carnelis - version 2"));
    zone_ = new QMdiArea(this);
    zone_->setObjectName(QStringLiteral("zone_documents"));
    setCentralWidget(zone_);
    construireMenus();
    construireBarreEtat();
    const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
    resize(ecran.width() * 9 / 10, ecran.height() * 9 / 10);
    move(ecran.x() + ecran.width() / 20, ecran.y() + ecran.height() / 20);
    principale = this;
    forms::Feuilles::definirZone(zone_);
    // No database is open yet: the working menus wait for one, whatever box start-up shows.
    Module1::desactiver_menus();
}

MDIForm1::~MDIForm1() {
    if (principale == this) principale = nullptr;
}

void MDIForm1::construireMenus() {
    int nombre = 0;
    const menus::Entree* e = menus::entrees(nombre);
    QHash<QString, QMenu*> parents;
    for (int i = 0; i < nombre; ++i) {
        const QString nom = QString::fromUtf8(e[i].nom);
        const QString libelle = QString::fromUtf8(e[i].libelle);
        QMenu* parent = parents.value(QString::fromUtf8(e[i].parent));
        switch (e[i].genre) {
        case menus::Genre::Menu: {
            QMenu* m = parent ? parent->addMenu(libelle) : menuBar()->addMenu(libelle);
            m->setObjectName(nom);
            m->menuAction()->setObjectName(nom);
            parents.insert(nom, m);
            break;
        }
        case menus::Genre::Separateur:
            parent->addSeparator()->setObjectName(nom);
            break;
        case menus::Genre::Commande: {
            QAction* a = parent->addAction(libelle);
            a->setObjectName(nom);
            if (*e[i].raccourci) {
                a->setShortcut(QKeySequence(QString::fromUtf8(e[i].raccourci)));
                forms::reserver_raccourci(a->shortcut());
            }
            connect(a, &QAction::triggered, this, [nom] { menus::executer(nom); });
            break;
        }
        }
    }
}

void MDIForm1::construireBarreEtat() {
    auto* barre = new QStatusBar(this);
    barre->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(barre);
    const char* textes[6] = {"", "", "", "MAJ", "NUM", "INSER"};
    for (int i = 0; i < 6; ++i) {
        auto* p = new QLabel(QString::fromUtf8(textes[i]), barre);
        p->setObjectName(QStringLiteral("StatusBar1_panneau%1").arg(i + 1));
        p->setFrameShape(QFrame::StyledPanel);
        p->setContentsMargins(4, 0, 4, 0);
        if (i == 0) barre->addWidget(p, 1);
        else barre->addPermanentWidget(p);
        if (i >= 3) p->setEnabled(false);
        panneaux_[i] = p;
    }
    // MAJ and NUM start as the keyboard's lights show them; INSER is the program's own mode and
    // starts off.
    const forms::VerrousClavier verrous = forms::lire_verrous_clavier();
    panneaux_[3]->setEnabled(verrous.majuscules);
    panneaux_[4]->setEnabled(verrous.numerique);
    auto* horloge = new QTimer(this);
    auto majHeure = [this] {
        const QDateTime maintenant = QDateTime::currentDateTime();
        panneaux_[1]->setText(maintenant.toString(QStringLiteral("dd/MM/yyyy")));
        panneaux_[2]->setText(maintenant.toString(QStringLiteral("HH:mm")));
    };
    connect(horloge, &QTimer::timeout, this, majHeure);
    majHeure();
    horloge->start(1000);
    QApplication::instance()->installEventFilter(this);
}

QLabel* MDIForm1::panneau(int numero) const {
    return numero >= 1 && numero <= 6 ? panneaux_[numero - 1] : nullptr;
}

QMenu* MDIForm1::menu(const QString& nom) const { return findChild<QMenu*>(nom); }

bool MDIForm1::eventFilter(QObject* objet, QEvent* e) {
    if (e->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(e)->isAutoRepeat()) {
        const int touche = static_cast<QKeyEvent*>(e)->key();
        for (int i = 0; i < 3; ++i)
            if (touche == touches_etat[i] && objet == destinataire_clavier())
                panneaux_[3 + i]->setEnabled(!panneaux_[3 + i]->isEnabled());
    }
    return QMainWindow::eventFilter(objet, e);
}

void MDIForm1::Form_Load() {
    fichiers::nettoyer_dossier_sauvegarde();
    forms::pieger([] {
        Module1::chemin_base.clear();
        Module1::desactiver_menus();
        Module1::lire_options();
        if (options::valeur_case(QStringLiteral("Check3")) == 1 && !options::base_choisie().isEmpty()) {
            Module1::ouvrir_base_donnees();
        } else {
            forms::Feuilles::charger(noms::choix_base).afficher();
        }
    });
}

void MDIForm1::closeEvent(QCloseEvent* e) {
    int reponse = forms::Non;
    // A failure of the question itself is passed over.
    forms::ignorer_erreur([&] {
        reponse = forms::boite_message(QStringLiteral("Voulez-vous quitter le logiciel?"),
                                       forms::styles::OuiNon + forms::styles::Question);
    });
    if (reponse != forms::Oui) {
        e->ignore();
        return;
    }
    // The windows go first, each saving what was typed by the one rule for leaving a record;
    // a user who goes back to a record keeps the program open, that window in front.
    bool lachees = false;
    forms::pieger([&] { lachees = forms::Feuilles::lacherBases(); });
    if (!lachees) {
        e->ignore();
        return;
    }
    // Nothing else is written on the way out.
    e->accept();
    QApplication::exit(0);
}

}  // namespace shell
