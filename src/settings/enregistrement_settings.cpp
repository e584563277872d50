#include "settings/enregistrement_settings.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/selecteurs.h"
#include "partage/liants.h"
#include "settings/feuille_fiche.h"
#include "platform/forms/feuille_liste.h"
#include "settings/feuille_parametres.h"
#include "settings/fiches.h"
#include "settings/listes.h"

void enregistrer_feuilles_settings() {
    // The pickers of these windows bind their tables through the shared binders.
    selecteurs::definir_liaison(&liants::lier_ou_lever);
    for (const listes::DescriptionListe& d : listes::table())
        forms::Feuilles::enregistrer(d.fenetre, [d] { return new reglages::FeuilleListe(d); });
    for (const fiches::DescriptionFiche& d : fiches::table())
        forms::Feuilles::enregistrer(d.fenetre, [d] { return new reglages::FeuilleFiche(d); });
    forms::Feuilles::enregistrer(noms::parametres, [] { return new reglages::FeuilleParametres; });
}
