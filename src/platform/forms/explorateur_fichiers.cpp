#include "platform/forms/explorateur_fichiers.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/listes_fichiers.h"
#include "platform/forms/reactions.h"
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace forms {

ExplorateurFichiers::ExplorateurFichiers(QWidget* parent, const Titre& lecteurs, const Titre& dossiers,
                                         const Titre& fichiers, Prefixe prefixe,
                                         std::function<QString(const QString&)> dossierDuLecteur)
    : QWidget(parent), dossierDuLecteur_(std::move(dossierDuLecteur)) {
    lecteurs_ = new ListeLecteurs(this);
    lecteurs_->setObjectName(QStringLiteral("Drive1"));
    dossiers_ = new ListeDossiers(this);
    dossiers_->setObjectName(QStringLiteral("Dir1"));
    fichiers_ = new ListeFichiers(this);
    fichiers_->setObjectName(QStringLiteral("File1"));

    auto* grille = new QGridLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    grille->addWidget(etiquette(this, QString::fromUtf8(lecteurs.nom), lecteurs.texte), 0, 0);
    grille->addWidget(lecteurs_, 1, 0);
    grille->addWidget(etiquette(this, QString::fromUtf8(dossiers.nom), dossiers.texte), 2, 0);
    grille->addWidget(dossiers_, 3, 0);
    grille->addWidget(etiquette(this, QString::fromUtf8(fichiers.nom), fichiers.texte), 0, 1);
    grille->addWidget(fichiers_, 1, 1, 3, 1);
    grille->setColumnStretch(0, 1);
    grille->setColumnStretch(1, 1);

    relier(lecteurs_, &ListeLecteurs::Change, this, &ExplorateurFichiers::lecteurChange, prefixe);
    relier(dossiers_, &ListeDossiers::Change, this, &ExplorateurFichiers::dossierChange, prefixe);
}

void ExplorateurFichiers::lecteurChange() {
    const QString lecteur = lecteurs_->Drive();
    dossiers_->setPath(dossierDuLecteur_ ? dossierDuLecteur_(lecteur) : lecteur);
    fichiers_->setPath(dossiers_->Path());
    emit Change();
}

void ExplorateurFichiers::dossierChange() {
    fichiers_->setPath(dossiers_->Path());
    emit Change();
}

void ExplorateurFichiers::ouvrirSur(const QString& dossier) {
    const QSignalBlocker b1(lecteurs_), b2(dossiers_);
    lecteurs_->setDrive(dossier);
    dossiers_->setPath(dossier);
    fichiers_->setPath(dossiers_->Path());
}

}  // namespace forms
