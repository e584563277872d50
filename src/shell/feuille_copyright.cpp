#include "shell/feuille_copyright.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/controles_simples.h"
#include "shell/dessins.h"
#include "shell/module1.h"
#include "shell/version.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/pointeur.h"
#include "platform/registry/registre.h"
#include "platform/forms/reactions.h"
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>
#include <sqlite3.h>

using forms::etiquette;
using forms::bouton;

namespace shell {

namespace {

using registre::Racine;

// Where the key store names the system-information tool: first a program path, else a
// folder holding "MSINFO32.EXE".
const QString CleOutil = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString ValeurOutil = QStringLiteral("PATH");
const QString CleDossierOutil = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString ValeurDossierOutil = QStringLiteral("MSINFO");

// The desktops' system-information tools, the most informative first.
const char* const outils_connus[] = {"kinfocenter", "hardinfo2", "hardinfo", "gnome-system-monitor",
                                     "mate-system-monitor", "xfce4-taskmanager", "lxtask"};

}  // namespace

FeuilleCopyright::FeuilleCopyright() : forms::Feuille(noms::copyright) {
    auto* onglets = new QTabWidget(this);
    onglets->setObjectName(QStringLiteral("SSTab1"));

    auto* logiciel = new QWidget(onglets);
    auto* colonne = new QVBoxLayout(logiciel);
    auto* titre = etiquette(logiciel, "lblTitle");
    QFont grand = titre->font();
    grand.setPointSize(grand.pointSize() * 3 / 2);
    grand.setBold(true);
    titre->setFont(grand);
    colonne->addWidget(titre);
    colonne->addWidget(etiquette(logiciel, "lblVersion"));
    colonne->addWidget(etiquette(logiciel, "lblDescription",
                                 QStringLiteral("Gestion administrative de l'école maternelle et élémentaire")));
    colonne->addSpacing(12);
    colonne->addWidget(etiquette(logiciel, "Label2", QStringLiteral("Écrit en C++ avec Qt %1").arg(QString::fromLatin1(qVersion()))));
    colonne->addWidget(etiquette(logiciel, "Label5",
                                 QStringLiteral("utilisant le moteur de base de données SQLite %1")
                                     .arg(QString::fromLatin1(sqlite3_libversion()))));
    colonne->addWidget(etiquette(logiciel, "Label6", QStringLiteral("et son propre moteur d'impression des états")));
    colonne->addStretch();
    onglets->addTab(logiciel, QStringLiteral("Le logiciel"));

    auto* ecole = new QWidget(onglets);
    auto* centre = new QVBoxLayout(ecole);
    auto* image = etiquette(ecole, "Image1");
    image->setPixmap(dessin_ecole());
    image->setAlignment(Qt::AlignCenter);
    centre->addWidget(image, 1);
    onglets->addTab(ecole, QStringLiteral("L'école"));

    auto* ok = bouton(this, "cmdOK", "&Ok", "Cliquez pour fermer la fenêtre 'A propos de...'");
    ok->setDefault(true);
    auto* infos = bouton(this, "cmdSysInfo", "&Infos système...", "Cliquez pour avoir des informations sur le système");
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(infos);
    boutons->addWidget(ok);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(onglets);
    disposition->addLayout(boutons);

    // Once hidden by "&Ok", the picture stays hidden while the program runs.
    forms::relier(ok, &QPushButton::clicked, this, [this, image] {
        image->setVisible(false);
        masquer();
    });
    forms::relier(infos, &QPushButton::clicked, this, &lancer_infos_systeme);
    definirTaille(6000, 4000);
}

void FeuilleCopyright::Form_Load() {
    forms::pieger([this] {
        setCaption(QStringLiteral("À propos du logiciel : ") + QString::fromUtf8(version::titre));
        controle<QLabel>(QStringLiteral("lblVersion"))->setText(version::texte());
        controle<QLabel>(QStringLiteral("lblTitle"))->setText(QString::fromUtf8(version::titre));
        Module1::centrer_feuille(*this);
    });
}

void lancer_infos_systeme() {
    QString programme;
    QString dossier;
    bool lance = false;
    if (registre::lire_valeur_registre(Racine::HKEY_LOCAL_MACHINE, CleOutil, ValeurOutil, programme)) {
        lance = QProcess::startDetached(programme, {});
    } else if (registre::lire_valeur_registre(Racine::HKEY_LOCAL_MACHINE, CleDossierOutil, ValeurDossierOutil, dossier)
               && QFileInfo::exists(dossier + QStringLiteral("/MSINFO32.EXE"))) {
        lance = QProcess::startDetached(dossier + QStringLiteral("/MSINFO32.EXE"), {});
    }
    if (lance) return;
    forms::boite_message(QStringLiteral("Les informations système ne sont pas disponibles actuellement"),
                         forms::styles::OKSeul);
    forms::definir_pointeur_souris(forms::PointeurDefaut);
}

void noter_outil_infos_systeme() {
    QString deja;
    if (registre::lire_valeur_registre(Racine::HKEY_LOCAL_MACHINE, CleOutil, ValeurOutil, deja)) return;
    for (const char* nom : outils_connus) {
        const QString chemin = QStandardPaths::findExecutable(QString::fromUtf8(nom));
        if (chemin.isEmpty()) continue;
        registre::ecrire_valeur_texte(Racine::HKEY_LOCAL_MACHINE, CleOutil, ValeurOutil, chemin);
        return;
    }
}

}  // namespace shell
