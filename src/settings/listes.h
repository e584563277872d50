#pragma once
// The thirteen reference lists: one grid window each, all built alike from this table.
#include "platform/forms/grille_donnees.h"
#include <QString>
#include <QVector>

namespace listes {

enum class Fond { Blanc, CouleurFenetre };

struct DescriptionListe {
    QString fenetre;   // window name
    QString legende;   // window caption
    QString table;
    QString liant;     // the table's binder (Module1::ouvrir_table)
    QVector<forms::ColonneGrille> colonnes;
    Fond fond = Fond::Blanc;
    bool relais = true;  // a double-click on a row accepts, as "Accepter" does
};

const QVector<DescriptionListe>& table();
const DescriptionListe* chercher(const QString& fenetre);

}  // namespace listes
