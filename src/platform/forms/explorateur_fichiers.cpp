#include "platform/forms/explorateur_fichiers.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/listes_fichiers.h"
#include "platform/forms/reactions.h"
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace forms {

ExplorateurFichiers::ExplorateurFichiers(QWidget* parent, const Liste& lecteurs, const Liste& dossiers,
                                         const Liste& fichiers, Prefixe prefixe,
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
    // Drives above folders on the left, files on the right, each list under its title.
    const auto placer = [&](QWidget* liste, const Liste& l, int ligne, int colonne, int hauteur) {
        if (!l.infobulle.isEmpty()) liste->setToolTip(l.infobulle);
        grille->addWidget(etiquette(this, QString::fromUtf8(l.titre), l.texte), ligne, colonne);
        grille->addWidget(liste, ligne + 1, colonne, hauteur, 1);
    };
    placer(lecteurs_, lecteurs, 0, 0, 1);
    placer(dossiers_, dossiers, 2, 0, 1);
    placer(fichiers_, fichiers, 0, 1, 3);
    grille->setColumnStretch(0, 1);
    grille->setColumnStretch(1, 1);

    relier(lecteurs_, &ListeLecteurs::Change, this, &ExplorateurFichiers::lecteurChange, prefixe);
    relier(dossiers_, &ListeDossiers::Change, this, &ExplorateurFichiers::dossierChange, prefixe);
}

void ExplorateurFichiers::ajouterApercu(QWidget* apercu) {
    static_cast<QGridLayout*>(layout())->addWidget(apercu, 1, 2, 3, 1, Qt::AlignTop);
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
