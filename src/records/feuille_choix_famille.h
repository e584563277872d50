#pragma once
// The family picker `feuille_choix_famille`, "Table des responsables légaux": every family in a
// grid (reference, guardian's name, first name and address), from which the pupil window takes
// its family's reference. A grid window of the data-window pattern; its accept operation is the
// picker row that this part hands over for it (records/enregistrement_records.cpp).
#include "platform/forms/feuille_liste.h"

namespace famille {

const forms::DescriptionListe& description_choix_famille();

}  // namespace famille
