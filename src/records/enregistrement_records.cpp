#include "records/enregistrement_records.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/selecteurs.h"
#include "partage/liants.h"
#include "platform/forms/noms_feuilles.h"
#include "records/feuille_choix_famille.h"
#include "records/feuille_choix_photo.h"
#include "records/feuille_eleve.h"
#include "records/feuille_famille.h"
#include "platform/forms/feuille_liste.h"

void enregistrer_tables_records() {
    using forms::fenetre_liee;
    using namespace reglages;
    forms::DescriptionFenetre eleve = fenetre_liee(
        noms::eleve, "élèves", "ouvrir_table_eleves",
        variation(Ajout::Propre, true, true, ErreurDonnees::Silencieuse, Position::Fiche, Placement::Centree,
                  Accepter::Aucun, AuDechargement::PointeurSeul),
        forms::SurErreur::Passer, "SELECT * FROM élèves ORDER BY matricule ASC");
    // The captions and tooltips of the fields the school names itself.
    eleve.autresControles = {{QStringLiteral("Data1"), QStringLiteral("SELECT * FROM paramètres")}};
    forms::DescriptionFenetre famille = fenetre_liee(
        noms::famille, "familles", "ouvrir_table_familles",
        variation(Ajout::Propre, true, true, ErreurDonnees::Silencieuse, Position::Fiche, Placement::Decalee,
                  Accepter::Aucun, AuDechargement::PointeurSeul),
        forms::SurErreur::Passer,
        "SELECT * FROM familles ORDER BY nom_responsable_légal ASC, prénom_responsable_légal ASC");
    famille.boiteTri = QStringLiteral("Combo1");
    forms::ajouter_descriptions({
        eleve,
        famille,
        // The family picker leaves its "Accepter" to its accept operation.
        fenetre_liee(noms::choix_famille, "familles", "ouvrir_table_choix_famille",
                     variation(Ajout::Grille, true, true, ErreurDonnees::Message, Position::Masquee,
                               Placement::Centree, Accepter::Masque, AuDechargement::PointeurSeul)),
        forms::fenetre_simple(noms::choix_photo),
    });
}

void enregistrer_feuilles_records() {
    enregistrer_tables_records();
    // The pickers of these windows bind their tables through the shared binders.
    selecteurs::definir_liaison(&liants::lier_ou_lever);
    forms::Feuilles::enregistrer(noms::eleve, [] { return new eleve::FeuilleEleve; });
    forms::Feuilles::enregistrer(noms::choix_photo, [] { return new eleve::FeuilleChoixPhoto; });
    forms::Feuilles::enregistrer(noms::famille,
                                 [] { return new famille::FeuilleFamille; });
    forms::Feuilles::enregistrer(noms::choix_famille,
                                 [] { return new reglages::FeuilleListe(famille::description_choix_famille()); });
}
