#pragma once
// The family window's fields: one row per text box, the single source of what each box
// edits, how long it may be, where it stands, whether entering it turns the tabbed control,
// its tooltip and what stands beside it (a label, a choice button or a search button).
#include "platform/forms/formulaire.h"
#include <QString>
#include <QVector>

namespace famille {

// The 44 boxes, in the window's tab order: Text13 above the tabs, then down each tab, each
// frame's left column before its right one.
const QVector<forms::Champ>& champs();
const forms::Champ* champ(const QString& zone);

// The frames of the tabs: name and caption.
struct Cadre {
    QString nom;
    QString legende;
    int onglet;
};
const QVector<Cadre>& cadres();

// The three tabs' captions, in order.
QStringList onglets();

}  // namespace famille
