#pragma once
// Printing for the pupil on screen in the pupil window: the pupil sheet ("&Imprimer"), and on
// the documents tab a template of the table `documents` filled with the pupil's, family's and
// school's data ("Imprimer le document sélectionné"), or opened for editing ("Modifier  le
// document sélectionné"). Every value is read as the pupil, family, school and template
// windows show it, saved or not.
#include "reports/formules_document.h"

namespace forms { class Feuille; }

namespace documents {

// "&Imprimer": the pupil sheet "fiche_enfant.rpt" of the pupil shown, on screen.
void imprimer_fiche_eleve();
// "Modifier  le document sélectionné": the template window on the template selected in the
// list, or on a new blank template when the list names none.
void modifier_document_selectionne();
// "Imprimer le document sélectionné": the template selected in the list, for the pupil, on
// screen or, when "Impression directe sans prévisualisation" is ticked, on the printer.
void imprimer_document_selectionne();

// The values of the slots switched by a box, for the pupil shown: the school's town and
// today's date, the guardian's lines (none when the pupil has no family, or when the family
// named cannot be found: the question says so), the head teacher, the pupil, the signature
// and stamp. Binds the school window, and the family window when the pupil has a family.
Valeurs valeurs_eleve();

// Registers the commands above as those of the pupil window's print buttons.
void enregistrer_commandes_eleve();

}  // namespace documents
