#pragma once
// The thirteen reference lists: one grid window each, all built alike from this table.
#include "platform/forms/feuille_liste.h"
#include <QVector>

namespace listes {

const QVector<forms::DescriptionListe>& table();
const forms::DescriptionListe* chercher(const QString& fenetre);

}  // namespace listes
