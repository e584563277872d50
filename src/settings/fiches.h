#pragma once
// The settings windows made of labelled text boxes bound to one table: the school, the
// inspection and the teaching team. Each is described by one record of the table in
// fiches.cpp: its groups (tabs or frames) of fields, their limits and tooltips, the labels
// or choice buttons beside them. The picker each button opens and the code it sets are in
// the picker table (selecteurs.h).
#include "platform/forms/formulaire.h"
#include <QString>
#include <QVector>

namespace fiches {

struct Groupe {
    QString cadre;   // frame name
    QString onglet;  // tab caption ("" in a window without tabbed control)
    QVector<forms::Champ> champs;  // one below the other in the frame
};

struct DescriptionFiche {
    QString fenetre;
    QString legende;
    bool onglets = false;     // groups in the tabbed control SSTab1, or frames one above the other
    QVector<Groupe> groupes;
    QString cadreAccepter;    // the frame that holds "Accepter" ("" none)
};

const QVector<DescriptionFiche>& table();
const DescriptionFiche* chercher(const QString& fenetre);

}  // namespace fiches
