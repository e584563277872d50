#include "records/tri_fiches.h"
#include "partage/liants.h"
#include "partage/module1.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/fenetre_donnees.h"
#include <QComboBox>

namespace tri_fiches {

QComboBox* creer(QWidget* parent, const QStringList& entrees) {
    auto* boite = new QComboBox(parent);
    boite->setObjectName(QStringLiteral("Combo1"));
    boite->setToolTip(QStringLiteral("Cliquez pour modifier l'ordre d'apparition des fiches"));
    boite->addItems(entrees);
    forms::placer_tri(boite, 0);
    return boite;
}


void lier(forms::ControleDonnees* dat, const QString& source) {
    const QString base = Module1::chemin_base;
    if (dat->aUnRecordset() && dat->DatabaseName() == base && dat->RecordSource() == source &&
        dat->Database().chemin() == base && !dat->Database().fichierRemplace()) {
        // Already in that order: sorting it again would only cost the time of the sort.
        auto& rs = dat->Recordset();
        if (rs.RecordCount() > 0 && (rs.EditMode() != 0 || rs.AbsolutePosition() != 0)) rs.MoveFirst();
        return;
    }
    dat->setDatabaseName(base);
    dat->setRecordSource(source);
    dat->Refresh();
}

void choisir(forms::FenetreDonnees& fenetre, QComboBox* boite, QString (*source)(const QString& entree)) {
    forms::pieger([&] {
        if (!fenetre.quitterFiche()) {
            forms::placer_tri(boite, boite->property(forms::EntreeTriEnCours).toInt());
            return;
        }
        boite->setProperty(forms::EntreeTriEnCours, boite->currentIndex());
        lier(fenetre.datPrimaryRS(), source(boite->currentText()));
    });
}

void charger(forms::FenetreDonnees& fenetre, QComboBox* boite, QString (*source)(const QString& entree)) {
    forms::placer_tri(boite, 0);
    if (!liants::chargee_par_son_liant(fenetre.nom())) choisir(fenetre, boite, source);
}

}  // namespace tri_fiches
