#include "settings/feuille_parametres.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/formulaire.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace reglages {

namespace {
constexpr int NombreChamps = 10;
constexpr int LongueurIntitule = 20;
constexpr int LongueurInfobulle = 50;
}  // namespace

QString FeuilleParametres::nomElement(int k) { return QStringLiteral("txtFields(%1)").arg(k); }

FeuilleParametres::FeuilleParametres() : FenetreDonnees(noms::parametres) {
    setCaption(QStringLiteral("intitulés des champs paramétrables"));
    auto* cadre = new QGroupBox(this);
    cadre->setObjectName(QStringLiteral("Frame1"));
    auto* grille = new QGridLayout(cadre);
    grille->addWidget(new QLabel(QStringLiteral("Intitulés"), cadre), 0, 1);
    grille->addWidget(new QLabel(QStringLiteral("Infobulles"), cadre), 0, 2);
    // Row k holds the caption (element k - 1) and the tooltip (element k + 9) of field k.
    forms::Formulaire formulaire(datPrimaryRS(), [grille](const forms::Champ&) { return grille; });
    for (int k = 1; k <= NombreChamps; ++k) {
        forms::Champ intitule;
        intitule.controle = nomElement(k - 1);
        intitule.champ = QStringLiteral("intitulé_champ_paramétrable%1").arg(k);
        intitule.longueur = LongueurIntitule;
        intitule.ligne = k;
        intitule.texteVoisin = QStringLiteral("Champ %1").arg(k);
        forms::Champ infobulle = intitule;
        infobulle.controle = nomElement(k + NombreChamps - 1);
        infobulle.champ = QStringLiteral("infobulle_champ_paramétrable%1").arg(k);
        infobulle.longueur = LongueurInfobulle;
        infobulle.colonne = 1;
        infobulle.voisin = forms::Voisin::Aucun;
        formulaire.construire({intitule, infobulle});
        // What names each box when its limit is told.
        txtFields(k - 1)->setAccessibleName(QStringLiteral("intitulé du champ %1").arg(k));
        txtFields(k + NombreChamps - 1)->setAccessibleName(QStringLiteral("infobulle du champ %1").arg(k));
    }
    // The tab order runs down the captions, then down the tooltips, as the elements are numbered.
    for (int k = 1; k < 2 * NombreChamps; ++k) setTabOrder(txtFields(k - 1), txtFields(k));

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(cadre, 1);
    disposition->addWidget(barreBoutons());
    definirTaille(9000, 6900);
}

QLineEdit* FeuilleParametres::txtFields(int k) const { return controle<QLineEdit>(nomElement(k)); }

}  // namespace reglages
