#include "records/tri_fiches.h"
#include "partage/module1.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/fenetre_donnees.h"
#include <QComboBox>
#include <QSignalBlocker>

namespace tri_fiches {

QComboBox* creer(QWidget* parent, const QStringList& entrees) {
    auto* boite = new QComboBox(parent);
    boite->setObjectName(QStringLiteral("Combo1"));
    boite->setToolTip(QStringLiteral("Cliquez pour modifier l'ordre d'apparition des fiches"));
    boite->addItems(entrees);
    return boite;
}

void choisir(forms::FenetreDonnees& fenetre, QComboBox* boite, int& enCours,
             QString (*source)(const QString& entree)) {
    forms::pieger([&] {
        if (!fenetre.quitterFiche()) {
            const QSignalBlocker bloque(boite);
            boite->setCurrentIndex(enCours);
            return;
        }
        enCours = boite->currentIndex();
        forms::ControleDonnees* dat = fenetre.datPrimaryRS();
        dat->setDatabaseName(Module1::chemin_base);
        dat->setRecordSource(source(boite->currentText()));
        dat->Refresh();
    });
}

}  // namespace tri_fiches
