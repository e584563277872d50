#include "shell/feuille_choix_base.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/controles_simples.h"
#include "shell/fichiers_base.h"
#include "shell/module1.h"
#include "partage/liants.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/explorateur_fichiers.h"
#include "platform/forms/listes_fichiers.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/reactions.h"
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>

using forms::etiquette;

namespace shell {

namespace {
struct Bouton {
    const char* nom;
    const char* libelle;
    const char* bulle;
    int groupe;  // 0: opening and file operations, 1: backup and restore
    void (*action)() = nullptr;  // the file operations; opening and cancelling are this window's own
};
const Bouton boutons[] = {
    {"cmdMettreàjour", "&Ouvrir", "Cliquez pour ouvrir la base de données sélectionnée", 0},
    {"cmdFermer", "&Annuler", "Cliquez pour annuler", 0},
    {"Command3", "C&réer", "Cliquez pour créer une nouvelle base de données totalement vide", 0, &fichiers::creer},
    {"cmdAjouter", "&Dupliquer",
     "Cliquez pour dupliquer une base de données existante sous un autre nom (la base est intégralement dupliquée)", 0,
     &fichiers::dupliquer},
    {"Command6", "Re&nommer", "Cliquez pour renommer une base de données existante", 0, &fichiers::renommer},
    {"cmdSupprimer", "&Supprimer", "Cliquez pour supprimer définitivement la base de données sélectionnée", 0,
     &fichiers::supprimer},
    {"Command2", "&Compacter", "Cliquez pour compacter la base de données sélectionnée", 0, &fichiers::compacter},
    {"Command4", "Sau&vegarder",
     "Cliquez pour sauvegarder la base de données sélectionnée dans un autre dossier OU sur un autre support", 1,
     &fichiers::sauvegarder},
    {"Command5", "&Restaurer",
     "Cliquez pour restaurer une base de données sauvegardée à partir d'un un autre dossier OU d'un autre support", 1,
     &fichiers::restaurer},
};

QLineEdit* champ_cache(QWidget* parent, const char* nom) {
    auto* c = new QLineEdit(parent);
    c->setObjectName(QString::fromUtf8(nom));
    c->setMaxLength(10);
    c->hide();
    return c;
}
}  // namespace

QString FeuilleChoixBase::joindre(const QString& dossier, const QString& nom) {
    return dossier + QLatin1Char('/') + nom;
}

FeuilleChoixBase::FeuilleChoixBase() : forms::Feuille(noms::choix_base) {
    setCaption(QStringLiteral("Sélection de la base de travail"));

    explorateur_ = new forms::ExplorateurFichiers(
        this,
        {"Label1", QStringLiteral("Lecteurs"),
         QStringLiteral("Sélectionnez le lecteur sur lequel se trouve la base de données")},
        {"Label2", QStringLiteral("Dossiers"), QStringLiteral("Sélectionnez le dossier dans l'arborescence")},
        {"Label3", QStringLiteral("Bases de données"),
         QStringLiteral("Sélectionnez la base de données sur laquelle vous souhaitez travailler")},
        forms::Prefixe::Logiciel, &FeuilleChoixBase::dossierDuLecteur);
    drive1_ = explorateur_->lecteurs();
    dir1_ = explorateur_->dossiers();
    file1_ = explorateur_->fichiers();
    file1_->setPattern(QStringLiteral("*.mdb"));
    label4_ = etiquette(this, "Label4", QString());
    label4_->setFrameShape(QFrame::StyledPanel);
    label4_->setMinimumHeight(22);

    donnees_ = new forms::ControleDonnees(this);
    donnees_->setObjectName(QStringLiteral("datPrimaryRS"));
    donnees_->hide();
    QLineEdit* actuel = champ_cache(this, "accès_actuel");
    champ_cache(this, "accès_tentavive");
    donnees_->lier(actuel, QStringLiteral("passe"), 10);

    auto* grille = new QGridLayout(this);
    grille->addWidget(explorateur_, 0, 0, 1, 2);
    grille->addWidget(etiquette(this, "Label5", QStringLiteral("Base de données sélectionnée")), 1, 0, 1, 2);
    grille->addWidget(label4_, 2, 0, 1, 2);

    QGroupBox* groupes[2] = {new QGroupBox(this), new QGroupBox(this)};
    QVBoxLayout* colonnes[2] = {new QVBoxLayout(groupes[0]), new QVBoxLayout(groupes[1])};
    for (const Bouton& b : boutons) {
        auto* bouton = forms::bouton(groupes[b.groupe], forms::u(b.nom), forms::u(b.libelle), forms::u(b.bulle));
        colonnes[b.groupe]->addWidget(bouton);
        if (b.action) forms::relier(bouton, &QPushButton::clicked, this, b.action);
    }
    auto* droite = new QVBoxLayout;
    droite->addWidget(groupes[0]);
    droite->addWidget(groupes[1]);
    droite->addStretch();
    grille->addLayout(droite, 0, 2, 3, 1);
    grille->setRowStretch(0, 1);
    grille->setColumnStretch(0, 1);
    grille->setColumnStretch(1, 1);

    forms::relier(explorateur_, &forms::ExplorateurFichiers::Change, label4_, &QLabel::clear);
    forms::relier(file1_, &forms::ListeFichiers::Click, this, &FeuilleChoixBase::fichierClique,
                  forms::Prefixe::ListesFichiers);
    // Queued: opening unloads this window, which must not happen inside the list's or the
    // button's own signal.
    connect(file1_, &forms::ListeFichiers::DblClick, this, &FeuilleChoixBase::fichierDoubleClique,
            Qt::QueuedConnection);
    connect(findChild<QPushButton*>(QStringLiteral("cmdMettreàjour")), &QPushButton::clicked, this,
            &FeuilleChoixBase::ouvrir, Qt::QueuedConnection);
    forms::relier(findChild<QPushButton*>(QStringLiteral("cmdFermer")), &QPushButton::clicked, this,
                  &FeuilleChoixBase::annuler, Qt::QueuedConnection);
    definirTaille(9600, 6000);
}

void FeuilleChoixBase::Form_Load() {
    Module1::centrer_feuille(*this);
    forms::pieger([this] { explorateur_->ouvrirSur(QDir::currentPath()); });
}

QString FeuilleChoixBase::dossierDuLecteur(const QString& lecteur) {
    const QString courant = QDir::currentPath();
    return QStorageInfo(courant).rootPath() == QStorageInfo(lecteur).rootPath() ? courant : lecteur;
}

QString FeuilleChoixBase::nomClique() const {
    // A mouse click is told while its entry has become current but is not selected yet.
    const QString nom = file1_->FileName();
    if (!nom.isEmpty()) return nom;
    const QListWidgetItem* e = file1_->currentItem();
    return e ? e->text() : QString();
}

void FeuilleChoixBase::fichierClique() {
    label4_->setText(joindre(file1_->Path(), nomClique()));
    // The clicked file only shows its code here: the working windows go on with the open
    // database until "&Ouvrir" accepts this one.
    liants::lier_sur(QStringLiteral("ouvrir_table_passe_choix"), label4_->text());
}

void FeuilleChoixBase::fichierDoubleClique() {
    const bool ok = forms::pieger([this] {
        label4_->setText(joindre(file1_->Path(), nomClique()));
    }, forms::Prefixe::ListesFichiers);
    if (ok) ouvrir();  // may unload this window: nothing after it
}

void FeuilleChoixBase::ouvrir() { Module1::ouvrir_base_donnees(); }

void FeuilleChoixBase::annuler() {
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    decharger();
}

}  // namespace shell
