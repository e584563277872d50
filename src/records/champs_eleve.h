#pragma once
// The pupil window's binding table: every field of `élèves` that the window edits, with its
// control, its length limit, its tab, its tooltip, the label or button beside it and its place
// in the tab. The window builds its fields from this table and nothing else says these facts.
#include "platform/forms/formulaire.h"
#include <QString>
#include <QVector>

namespace eleve {

// The pupil's fields, in the order of the keyboard: down each tab, line by line. Their
// neighbour buttons take their captions and tooltips from boutons().
const QVector<forms::Champ>& champs();
const forms::Champ* champ(const QString& controle);

// The buttons that stand beside a field as its label, and the window's other buttons.
struct Bouton {
    const char* nom;
    const char* legende;
    const char* infobulle;
};
const QVector<Bouton>& boutons();
const Bouton* bouton(const QString& nom);

// The tab captions of SSTab1, by index.
const QStringList& onglets();

}  // namespace eleve
