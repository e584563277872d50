#include "shell/enregistrement_shell.h"
#include "platform/forms/noms_feuilles.h"
#include "shell/feuille_acces.h"
#include "shell/feuille_chemin.h"
#include "shell/feuille_choix_base.h"
#include "shell/feuille_copyright.h"
#include "shell/feuille_options.h"
#include "shell/feuilles_simples.h"
#include "shell/initialisation.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/feuilles.h"

void enregistrer_tables_shell() {
    using forms::fenetre_liee;
    using forms::fenetre_simple;
    using namespace forms;
    forms::ajouter_descriptions({
        fenetre_simple(noms::MDIForm1),
        fenetre_simple(noms::accueil),
        fenetre_simple(noms::login),
        fenetre_simple(noms::patientez),
        fenetre_simple(noms::options),
        fenetre_liee(noms::choix_base, "passe", "ouvrir_table_passe_choix", {}, forms::SurErreur::Boite),
        fenetre_simple(noms::chemin),
        fenetre_simple(noms::copyright),
        fenetre_liee(noms::acces, "passe", "ouvrir_table_passe_acces",
                     variation(Ajout::Aucun, false, false, ErreurDonnees::Message, Legende::Masquee,
                               Placement::Centree, Accepter::Aucun, AuDechargement::PointeurSeul, true),
                     forms::SurErreur::Boite),
    });
}

void enregistrer_feuilles_shell() {
    using forms::Feuilles;
    enregistrer_tables_shell();
    Feuilles::enregistrer(noms::accueil, [] { return new shell::FeuilleAccueil; });
    Feuilles::enregistrer(noms::patientez, [] { return new shell::FeuillePatientez; });
    Feuilles::enregistrer(noms::options, [] { return new shell::FeuilleOptions; });
    Feuilles::enregistrer(noms::choix_base, [] { return new shell::FeuilleChoixBase; });
    Feuilles::enregistrer(noms::copyright, [] { return new shell::FeuilleCopyright; });
    Feuilles::enregistrer(noms::acces, [] { return new shell::FeuilleAcces; });
    Feuilles::enregistrer(noms::chemin, [] { return new shell::FeuilleChemin; });
    shell::initialisation::enregistrer_commandes();
}
