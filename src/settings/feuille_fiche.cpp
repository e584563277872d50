#include "settings/feuille_fiche.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/formulaire.h"
#include "platform/forms/onglets.h"
#include "platform/forms/selecteurs.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace reglages {

FeuilleFiche::FeuilleFiche(const fiches::DescriptionFiche& description)
    : FenetreDonnees(description.fenetre), description_(description) {
    setCaption(description_.legende);

    auto* disposition = new QVBoxLayout(this);
    QTabWidget* onglets = nullptr;
    if (description_.onglets) {
        onglets = new QTabWidget(this);
        onglets->setObjectName(QStringLiteral("SSTab1"));
        disposition->addWidget(onglets, 1);
    }

    QGridLayout* grille = nullptr;
    forms::Mise mise;
    mise.alignementVoisin = Qt::AlignLeft;
    forms::Formulaire formulaire(datPrimaryRS(), [&](const forms::Champ&) { return grille; }, mise);
    for (const fiches::Groupe& groupe : description_.groupes) {
        auto* cadre = new QGroupBox(this);
        cadre->setObjectName(groupe.cadre);
        grille = new QGridLayout(cadre);
        grille->setColumnStretch(1, 1);
        formulaire.construire(groupe.champs);
        if (groupe.cadre == description_.cadreAccepter && boutonAccepter()) {
            boutonAccepter()->setParent(cadre);
            grille->addWidget(boutonAccepter(), grille->rowCount(), 1);
            boutonAccepter()->show();
        }
        if (onglets) {
            auto* page = new QWidget;
            auto* dispositionPage = new QVBoxLayout(page);
            dispositionPage->addWidget(cadre);
            dispositionPage->addStretch();
            onglets->addTab(page, groupe.onglet);
        } else {
            disposition->addWidget(cadre);
        }
    }
    if (onglets) forms::onglet_suit_focus(onglets, formulaire.suiviOnglets());
    disposition->addWidget(barreBoutons());
    definirTaille(onglets ? 7800 : 9600, onglets ? 6600 : 8400);
    selecteurs::brancher(*this);
}

}  // namespace reglages
