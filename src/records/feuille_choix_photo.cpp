#include "records/feuille_choix_photo.h"
#include "platform/forms/controles_simples.h"
#include "records/feuille_eleve.h"
#include "platform/erreur.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/explorateur_fichiers.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/image_liee.h"
#include "platform/forms/listes_fichiers.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/reactions.h"
#include "platform/forms/twips.h"
#include "partage/module1.h"
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QPushButton>

using forms::etiquette;
using forms::bouton;

namespace eleve {

FeuilleChoixPhoto::FeuilleChoixPhoto() : forms::Feuille(noms::choix_photo) {
    setCaption(QStringLiteral("Sélection de la photo de l'enfant"));
    explorateur_ = new forms::ExplorateurFichiers(
        this, {"Label1", QStringLiteral("Lecteurs")},
        {"Label2", QStringLiteral("Dossiers"), QStringLiteral("Sélectionnez le dossier dans l'arborescence")},
        {"Label3", QStringLiteral("Photos")}, forms::Prefixe::Logiciel);
    dir1_ = explorateur_->dossiers();
    file1_ = explorateur_->fichiers();
    file1_->setPattern(QStringLiteral("*.jpg ; *.gif ; *.bmp"));
    label4_ = etiquette(this, "Label4", QString());
    label4_->setFrameShape(QFrame::StyledPanel);
    label4_->setMinimumHeight(22);
    label4_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    apercu_ = etiquette(this, "apercu", QString());
    apercu_->setFixedSize(180, 216);
    apercu_->setAlignment(Qt::AlignCenter);
    apercu_->setFrameShape(QFrame::StyledPanel);
    auto* accepter = bouton(this, "cmdMettreàjour", "&Accepter", "Cliquez pour accepter la photo sélectionnée");
    accepter->setDefault(true);
    auto* annuler = bouton(this, "cmdFermer", "&Annuler", "Cliquez pour annuler");

    auto* disposition = new QVBoxLayout(this);
    explorateur_->ajouterApercu(apercu_);
    disposition->addWidget(explorateur_);
    disposition->addWidget(etiquette(this, "Label5", QStringLiteral("Chemin de la photo sélectionnée")));
    disposition->addWidget(label4_);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(accepter);
    boutons->addWidget(annuler);
    disposition->addLayout(boutons);

    // Another drive or folder: nothing chosen any more.
    forms::relier(explorateur_, &forms::ExplorateurFichiers::Change, this, [this] { definirChemin(QString()); });
    for (auto signal : {&forms::ListeFichiers::Click, &forms::ListeFichiers::DblClick})
        forms::relier(file1_, signal, this, &FeuilleChoixPhoto::File1_Click, forms::Prefixe::ListesFichiers);
    // Queued: both unload this window, which must not happen inside the button's own signal.
    forms::relier(accepter, &QPushButton::clicked, this, &FeuilleChoixPhoto::cmdMettreajour_Click,
                  Qt::QueuedConnection);
    forms::relier(annuler, &QPushButton::clicked, this, &FeuilleChoixPhoto::cmdFermer_Click, Qt::QueuedConnection);
    definirTaille(10200, 6000);
}

void FeuilleChoixPhoto::Form_Load() {
    forms::pieger([this] {
        Module1::centrer_feuille(*this);
        file1_->setPath(dir1_->Path());
    });
}

QString FeuilleChoixPhoto::cheminChoisi() const { return label4_->text(); }

void FeuilleChoixPhoto::definirChemin(const QString& chemin) {
    if (label4_->text() == chemin) return;
    label4_->setText(chemin);
    Label4_Change();
}

void FeuilleChoixPhoto::File1_Click() {
    if (file1_->FileName().isEmpty()) return;
    QString dossier = file1_->Path();
    if (!dossier.endsWith(QLatin1Char('/'))) dossier += QLatin1Char('/');
    definirChemin(dossier + file1_->FileName());
}

// The preview follows the chosen path; a name of another kind leaves it as it was.
void FeuilleChoixPhoto::Label4_Change() {
    forms::pieger([this] {
        const QString chemin = label4_->text();
        if (chemin.isEmpty()) {
            apercu_->clear();
            return;
        }
        const QString fin = chemin.right(3).toUpper();
        if (fin != QLatin1String("JPG") && fin != QLatin1String("BMP") && fin != QLatin1String("GIF")) return;
        forms::charger_image(apercu_, chemin);
    });
}

void FeuilleChoixPhoto::cmdMettreajour_Click() {
    const QString chemin = label4_->text();
    auto* eleve = qobject_cast<FeuilleEleve*>(&forms::Feuilles::charger(noms::eleve));
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    decharger();
    if (eleve) eleve->photoChoisie(chemin);
}

void FeuilleChoixPhoto::cmdFermer_Click() {
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    decharger();
}

}  // namespace eleve
