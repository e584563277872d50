#include "records/enregistrement_records.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/selecteurs.h"
#include "partage/liants.h"
#include "platform/forms/noms_feuilles.h"
#include "records/feuille_choix_famille.h"
#include "records/feuille_choix_photo.h"
#include "records/feuille_eleve.h"
#include "records/feuille_famille.h"
#include "platform/forms/feuille_liste.h"

void enregistrer_feuilles_records() {
    // The pickers of these windows bind their tables through the shared binders.
    selecteurs::definir_liaison(&liants::lier_ou_lever);
    forms::Feuilles::enregistrer(noms::eleve, [] { return new eleve::FeuilleEleve; });
    forms::Feuilles::enregistrer(noms::choix_photo, [] { return new eleve::FeuilleChoixPhoto; });
    forms::Feuilles::enregistrer(noms::famille,
                                 [] { return new famille::FeuilleFamille; });
    forms::Feuilles::enregistrer(noms::choix_famille,
                                 [] { return new reglages::FeuilleListe(famille::description_choix_famille()); });
}
