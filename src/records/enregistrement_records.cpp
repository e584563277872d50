#include "records/enregistrement_records.h"
#include "platform/db/cles_portees.h"
#include "platform/forms/controles_simples.h"
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

using forms::u;

void enregistrer_tables_records() {
    using forms::fenetre_liee;
    using namespace forms;
    forms::DescriptionFenetre eleve = fenetre_liee(
        noms::eleve, "élèves", "ouvrir_table_eleves",
        variation(Ajout::Propre, true, true, ErreurDonnees::Silencieuse, Legende::Fiche, Placement::Centree,
                  Accepter::Aucun, AuDechargement::PointeurSeul),
        forms::SurErreur::Passer, "SELECT * FROM élèves ORDER BY matricule ASC");
    // The captions and tooltips of the fields the school names itself.
    eleve.autresControles = {{QStringLiteral("Data1"), QStringLiteral("SELECT * FROM paramètres")}};
    forms::DescriptionFenetre famille = fenetre_liee(
        noms::famille, "familles", "ouvrir_table_familles",
        variation(Ajout::Propre, true, true, ErreurDonnees::Silencieuse, Legende::Fiche, Placement::Decalee,
                  Accepter::Aucun, AuDechargement::PointeurSeul),
        forms::SurErreur::Passer,
        "SELECT * FROM familles ORDER BY nom_responsable_légal ASC, prénom_responsable_légal ASC");
    famille.boiteTri = QStringLiteral("Combo1");
    // A family's reference is carried by its pupils: a deleted family's pupils stay, without a
    // family, and its reference is given again only once no pupil carries it.
    db::declarer_cle_portee({u("familles"), u("référence_famille"), u("élèves"), u("référence_famille")});
    forms::ajouter_descriptions({
        eleve,
        famille,
        // The family picker leaves its "Accepter" to its accept operation.
        fenetre_liee(noms::choix_famille, "familles", "ouvrir_table_choix_famille",
                     variation(Ajout::Grille, true, true, ErreurDonnees::Message, Legende::Masquee,
                               Placement::Centree, Accepter::Masque, AuDechargement::PointeurSeul)),
        forms::fenetre_simple(noms::choix_photo),
    });

    // What each picker copies into the pupil and family windows, and their choice buttons.
    using selecteurs::colonne;
    using selecteurs::zone;
    selecteurs::ajouter_choix({
        {noms::adresses, 1, noms::eleve, {colonne(0, "adresse_résidence")}, u("adresse2_résidence")},
        {noms::adresses, 2, noms::famille, {colonne(0, "Text2")}, u("Text1")},
        {noms::adresses, 3, noms::famille, {colonne(0, "Text7")}, u("Text6")},
        {noms::assurances, 2, noms::famille, {colonne(0, "société_assurance")}, u("police_assurance")},
        {noms::csp, 2, noms::famille, {colonne(0, "csp_responsable_légal")}, {}},
        {noms::csp, 3, noms::famille, {colonne(0, "csp_conjoint")}, {}},
        {noms::hopitaux, 2, noms::famille,
         {colonne(0, "hôpital_préférentiel"), colonne(1, "téléphone_hôpital_préférentiel"),
          colonne(2, "adresse_hôpital_préférentiel"), colonne(3, "ville_hôpital_préférentiel")},
         {}},
        {noms::medecins, 2, noms::famille,
         {colonne(0, "médecin_traitant"), colonne(1, "téléphone_médecin_traitant"),
          colonne(2, "adresse_médecin_traitant"), colonne(3, "ville_médecin_traitant")},
         {}},
        {noms::langues_vivantes, 7, noms::eleve, {colonne(0, "langue_vivante_élève")}, {}},
        {noms::nationalites, 1, noms::eleve, {colonne(0, "nationalité"), colonne(1, "code_nationalité")}, {}},
        {noms::sexe, 1, noms::eleve, {colonne(0, "sexe")}, u("date_naissance")},
        {noms::villes, 1, noms::eleve, {colonne(0, "code_postal_résidence"), colonne(1, "ville_résidence")},
         u("téléphone1_résidence")},
        {noms::villes, 2, noms::famille, {colonne(0, "Text5"), colonne(1, "Text4")}, {}},
        {noms::villes, 3, noms::famille, {colonne(0, "Text10"), colonne(1, "Text9")}, {}},
        {noms::situations_familiales, 2, noms::famille, {colonne(0, "Text11")}, u("Text3")},
        {noms::genres, 7, noms::famille, {colonne(0, "genre_responsable_légal")}, u("nom_responsable_légal")},
        {noms::genres, 8, noms::famille, {colonne(0, "genre_conjoint")}, u("nom_conjoint")},
        {noms::assertions, 1, noms::famille, {colonne(0, "communication_données")}, {}},
        {noms::assertions, 2, noms::famille, {colonne(0, "élection_comité_responsable_légal")}, {}},
        {noms::assertions, 3, noms::famille, {colonne(0, "élection_comité_conjoint")}, {}},
        // The class picker copies from its own text boxes, saved or not.
        {noms::equipe, 7, noms::eleve,
         {zone("référence_classe_enseignant", "référence_classe_élève"),
          zone("niveau_classe_enseignant", "niveau_classe_élève"), zone("cycle_classe_enseignant", "cycle_classe_élève")},
         u("cursus_allongé_élève")},
        {noms::choix_famille, 1, noms::eleve, {colonne(0, "référence_famille")}, u("référence_famille")},
    });

    using selecteurs::bouton;
    selecteurs::Bouton classe = bouton(noms::eleve, "Command12", noms::equipe, 7);
    classe.nouvelleSiVide = true;
    selecteurs::ajouter_boutons({
        bouton(noms::eleve, "Command8", noms::adresses, 1),
        bouton(noms::eleve, "Command9", noms::villes, 1),
        bouton(noms::eleve, "Command10", noms::villes, 1),
        bouton(noms::eleve, "Command5", noms::nationalites, 1),
        bouton(noms::eleve, "Command7", noms::sexe, 1),
        bouton(noms::eleve, "Command11", noms::langues_vivantes, 7),
        classe,

        bouton(noms::famille, "Command19", noms::assertions, 1),
        bouton(noms::famille, "Command8", noms::adresses, 2),
        bouton(noms::famille, "Command5", noms::villes, 2),
        bouton(noms::famille, "Command6", noms::villes, 2),
        bouton(noms::famille, "Command13", noms::csp, 2),
        bouton(noms::famille, "Command15", noms::situations_familiales, 2),
        bouton(noms::famille, "Command18", noms::assertions, 2),
        bouton(noms::famille, "Command12", noms::assurances, 2),
        bouton(noms::famille, "Command10", noms::medecins, 2),
        bouton(noms::famille, "Command11", noms::hopitaux, 2),
        bouton(noms::famille, "Command2", noms::adresses, 3),
        bouton(noms::famille, "Command7", noms::villes, 3),
        bouton(noms::famille, "Command9", noms::villes, 3),
        bouton(noms::famille, "Command14", noms::csp, 3),
        bouton(noms::famille, "Command17", noms::assertions, 3),
        bouton(noms::famille, "Command21", noms::genres, 7),
        bouton(noms::famille, "Command20", noms::genres, 8),
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
                                 [] { return new forms::FeuilleListe(famille::description_choix_famille()); });
}
