#include "shell/enregistrement_shell.h"
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
    Feuilles::enregistrer(QStringLiteral("feuille_accueil"), [] { return new shell::FeuilleAccueil; });
    Feuilles::enregistrer(QStringLiteral("feuille_patientez"), [] { return new shell::FeuillePatientez; });
    Feuilles::enregistrer(QStringLiteral("feuille_options"), [] { return new shell::FeuilleOptions; });
    Feuilles::enregistrer(QStringLiteral("feuille_choix_base"), [] { return new shell::FeuilleChoixBase; });
    Feuilles::enregistrer(QStringLiteral("feuille_copyright"), [] { return new shell::FeuilleCopyright; });
    Feuilles::enregistrer(QStringLiteral("feuille_accès"), [] { return new shell::FeuilleAcces; });
    Feuilles::enregistrer(QStringLiteral("feuille_chemin"), [] { return new shell::FeuilleChemin; });
    shell::initialisation::enregistrer_commandes();
}
