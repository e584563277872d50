#include "platform/forms/feuille_liste.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/grille_donnees.h"
#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QVBoxLayout>

namespace forms {

FeuilleListe::FeuilleListe(const forms::DescriptionListe& description)
    : FenetreDonnees(description.fenetre), description_(description) {
    setCaption(description_.legende);
    // Until its binder points it at the working database, the data control knows only its table.
    datPrimaryRS()->setRecordSource(forms::description(description_.fenetre).table);

    auto* grille = new forms::GrilleDonnees(this);
    grille->setObjectName(QStringLiteral("grdDataGrid"));
    grille->definirColonnes(description_.colonnes);
    grille->definirCouleurFond(description_.fond == forms::FondListe::Blanc
                                   ? QColor(Qt::white)
                                   : QApplication::palette().color(QPalette::Base));
    grille->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grille->setTabKeyNavigation(false);
    definirGrille(grille, description_.relais);

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(grille, 1);
    disposition->addWidget(barreBoutons());

    double largeur = 900;
    for (const auto& c : description_.colonnes) largeur += c.largeurTwips;
    definirTaille(qMax(largeur, 8100.0), 5700);
}

QString FeuilleListe::questionSuppression() const {
    return description_.questionSuppression ? description_.questionSuppression(*this) : QString();
}

}  // namespace forms
