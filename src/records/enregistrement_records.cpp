#include "records/enregistrement_records.h"
#include "platform/forms/feuilles.h"
#include "records/feuille_choix_photo.h"
#include "records/feuille_eleve.h"

void enregistrer_feuilles_records() {
    forms::Feuilles::enregistrer(QStringLiteral("feuille_élève"), [] { return new eleve::FeuilleEleve; });
    forms::Feuilles::enregistrer(QStringLiteral("feuille_choix_photo"), [] { return new eleve::FeuilleChoixPhoto; });
}
