#pragma once
// The settings windows made of labelled text boxes bound to one table: the school, the
// inspection and the teaching team. Each is described by one record of the table in
// fiches.cpp: its groups (tabs or frames) of fields, their limits and tooltips, the labels
// or choice buttons beside them.
#include <QString>
#include <QVector>

namespace fiches {

// A choice button; the picker it opens and the code it sets are in the picker table
// (selecteurs.h).
struct BoutonChoix {
    QString nom;       // "Command2"
    QString legende;   // "adresse"
};

struct Champ {
    QString controle;
    QString champ;
    int longueurMax = 0;
    QString infobulle;
    QString libelle;      // the label beside the field, or
    QString bouton;       // the choice button that serves as its label
    bool tourneOnglet = true;  // entering the field turns the tabbed control to its tab
};

struct Groupe {
    QString cadre;   // frame name
    QString onglet;  // tab caption ("" in a window without tabbed control)
    QVector<Champ> champs;
};

struct DescriptionFiche {
    QString fenetre;
    QString legende;
    bool onglets = false;     // groups in the tabbed control SSTab1, or frames one above the other
    QVector<Groupe> groupes;
    QVector<BoutonChoix> boutons;
    QString cadreAccepter;    // the frame that holds "Accepter" ("" none)
};

const QVector<DescriptionFiche>& table();
const DescriptionFiche* chercher(const QString& fenetre);

}  // namespace fiches
