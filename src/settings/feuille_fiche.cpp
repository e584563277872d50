#include "settings/feuille_fiche.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/onglets.h"
#include "platform/forms/selecteurs.h"
#include <QFormLayout>
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

    QVector<QPair<QWidget*, int>> suiviOnglets;
    for (int g = 0; g < description_.groupes.size(); ++g) {
        const fiches::Groupe& groupe = description_.groupes[g];
        auto* cadre = new QGroupBox(this);
        cadre->setObjectName(groupe.cadre);
        auto* formulaire = new QFormLayout(cadre);
        for (const fiches::Champ& c : groupe.champs) {
            auto* zone = new QLineEdit(cadre);
            zone->setObjectName(c.controle);
            zone->setToolTip(c.infobulle);
            datPrimaryRS()->lier(zone, c.champ, c.longueurMax);
            QWidget* gauche = nullptr;
            if (!c.bouton.isEmpty()) {
                for (const fiches::BoutonChoix& bc : description_.boutons) {
                    if (bc.nom != c.bouton) continue;
                    auto* bouton = new QPushButton(bc.legende, cadre);
                    bouton->setObjectName(bc.nom);
                    bouton->setAutoDefault(false);
                    gauche = bouton;
                }
            } else {
                gauche = new QLabel(c.libelle, cadre);
            }
            formulaire->addRow(gauche, zone);
            if (onglets && c.tourneOnglet) suiviOnglets.append({zone, g});
        }
        if (groupe.cadre == description_.cadreAccepter && boutonAccepter()) {
            boutonAccepter()->setParent(cadre);
            formulaire->addRow(QString(), boutonAccepter());
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
    if (onglets) forms::onglet_suit_focus(onglets, suiviOnglets);
    disposition->addWidget(barreBoutons());
    definirTaille(onglets ? 7800 : 9600, onglets ? 6600 : 8400);
    selecteurs::brancher(*this);
}

}  // namespace reglages
