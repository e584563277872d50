#include "shell/enregistrement_shell.h"
#include "platform/forms/noms_feuilles.h"
#include "shell/feuille_acces.h"
#include "shell/feuille_chemin.h"
#include "shell/feuille_choix_base.h"
#include "shell/feuille_copyright.h"
#include "shell/feuille_options.h"
#include "shell/feuilles_simples.h"
#include "shell/initialisation.h"
#include "platform/forms/feuilles.h"

void enregistrer_feuilles_shell() {
    using forms::Feuilles;
    Feuilles::enregistrer(noms::accueil, [] { return new shell::FeuilleAccueil; });
    Feuilles::enregistrer(noms::patientez, [] { return new shell::FeuillePatientez; });
    Feuilles::enregistrer(noms::options, [] { return new shell::FeuilleOptions; });
    Feuilles::enregistrer(noms::choix_base, [] { return new shell::FeuilleChoixBase; });
    Feuilles::enregistrer(noms::copyright, [] { return new shell::FeuilleCopyright; });
    Feuilles::enregistrer(noms::acces, [] { return new shell::FeuilleAcces; });
    Feuilles::enregistrer(noms::chemin, [] { return new shell::FeuilleChemin; });
    shell::initialisation::enregistrer_commandes();
}
