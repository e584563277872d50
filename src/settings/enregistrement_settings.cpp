#include "settings/enregistrement_settings.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/selecteurs.h"
#include "partage/liants.h"
#include "settings/feuille_fiche.h"
#include "platform/forms/feuille_liste.h"
#include "settings/feuille_parametres.h"
#include "settings/fiches.h"
#include "settings/listes.h"

using namespace forms;
using namespace reglages;

namespace {
// The parameters window words its refresh tooltip its own way.
const QString InfobulleRafraichirParametres =
    QStringLiteral("Cliquez pour rafraichier les données, dans le cas d'une utilisation multi-utilisateurs");

// The reference lists whose refresh tooltip is worded without the accent.
Variation liste_sans_accent() {
    Variation v;
    v.infobulleRafraichir = InfobulleRafraichirSansAccent;
    return v;
}
}  // namespace

void enregistrer_tables_settings() {
    using forms::fenetre_liee;
    forms::ajouter_descriptions({
        fenetre_liee(noms::ecole, "école", "ouvrir_table_ecole",
                     variation(Ajout::Aucun, false, true, ErreurDonnees::Silencieuse, Legende::Masquee,
                               Placement::Centree, Accepter::Aucun, AuDechargement::PointeurSeul)),
        fenetre_liee(noms::inspection, "inspection", "ouvrir_table_inspection",
                     variation(Ajout::Aucun, false, true, ErreurDonnees::Silencieuse, Legende::Masquee,
                               Placement::Centree, Accepter::Aucun, AuDechargement::PointeurSeul)),
        fenetre_liee(noms::equipe, "équipe", "ouvrir_table_equipe",
                     variation(Ajout::NouvelleFiche, true, true, ErreurDonnees::Silencieuse, Legende::NumeroSeul,
                               Placement::Centree, Accepter::Desactive, AuDechargement::RetirerAccepter)),
        fenetre_liee(noms::parametres, "paramètres", "ouvrir_table_parametres",
                     variation(Ajout::Aucun, false, true, ErreurDonnees::Silencieuse, Legende::Masquee,
                               Placement::Centree, Accepter::Aucun, AuDechargement::PointeurSeul, false,
                               InfobulleRafraichirParametres),
                     forms::SurErreur::Boite),

        fenetre_liee(noms::adresses, "adresses", "ouvrir_table_adresses", liste_sans_accent()),
        fenetre_liee(noms::assurances, "assurances", "ouvrir_table_assurances", liste_sans_accent()),
        fenetre_liee(noms::csp, "csp", "ouvrir_table_csp", liste_sans_accent()),
        fenetre_liee(noms::hopitaux, "hôpitaux", "ouvrir_table_hopitaux"),
        fenetre_liee(noms::medecins, "médecins", "ouvrir_table_medecins"),
        fenetre_liee(noms::langues_vivantes, "langues_vivantes", "ouvrir_table_langues_vivantes"),
        fenetre_liee(noms::nationalites, "nationalités", "ouvrir_table_nationalites"),
        fenetre_liee(noms::sexe, "sexe", "ouvrir_table_sexe"),
        fenetre_liee(noms::villes, "villes", "ouvrir_table_villes"),
        fenetre_liee(noms::situations_familiales, "situations_familiales", "ouvrir_table_situations_familiales"),
        fenetre_liee(noms::niveaux, "niveaux", "ouvrir_table_niveaux"),
        fenetre_liee(noms::genres, "genres", "ouvrir_table_genres"),
        fenetre_liee(noms::assertions, "assertions", "ouvrir_table_assertions"),
    });

    // What each picker copies into the school, inspection and team windows, and their choice buttons.
    using forms::u;
    using selecteurs::colonne;
    selecteurs::ajouter_choix({
        {noms::adresses, 4, noms::ecole, {colonne(0, "adresse_école")}, u("suite_adresse_école")},
        {noms::adresses, 5, noms::inspection, {colonne(0, "adresse_inspection")}, u("adresse2_inspection")},
        {noms::adresses, 6, noms::equipe, {colonne(0, "adresse1_enseignant")}, u("adresse_enseignant")},
        {noms::villes, 4, noms::ecole, {colonne(0, "code_postal_école"), colonne(1, "ville_école")},
         u("téléphone_école")},
        {noms::villes, 5, noms::inspection, {colonne(0, "code_postal_inspection"), colonne(1, "ville_inspection")},
         u("téléphone_inspection")},
        {noms::villes, 6, noms::equipe, {colonne(0, "code_postal_enseignant"), colonne(1, "ville_enseignant")},
         u("téléphone1_enseignant")},
        // The level's wording (column 1) stays in the list.
        {noms::niveaux, 6, noms::equipe,
         {colonne(0, "niveau_classe_enseignant"), colonne(2, "cycle_classe_enseignant")}, {}},
        {noms::genres, 4, noms::ecole, {colonne(0, "genre_directeur")}, u("prénom_directeur")},
        {noms::genres, 5, noms::inspection, {colonne(0, "genre_inspecteur")}, u("prénom_inspecteur")},
        {noms::genres, 6, noms::equipe, {colonne(0, "genre_enseignant")}, u("nom_enseignant")},
    });

    using selecteurs::bouton;
    QVector<selecteurs::Bouton> boutons;
    for (const auto& [fenetre, code] : {std::pair{noms::ecole, 4}, std::pair{noms::inspection, 5}})
        boutons << bouton(fenetre, "Command2", noms::adresses, code) << bouton(fenetre, "Command3", noms::genres, code)
                << bouton(fenetre, "Command7", noms::villes, code) << bouton(fenetre, "Command9", noms::villes, code);
    boutons << bouton(noms::equipe, "Command2", noms::adresses, 6) << bouton(noms::equipe, "Command5", noms::genres, 6)
            << bouton(noms::equipe, "Command4", noms::niveaux, 6) << bouton(noms::equipe, "Command7", noms::villes, 6)
            << bouton(noms::equipe, "Command9", noms::villes, 6);
    selecteurs::ajouter_boutons(boutons);
}

void enregistrer_feuilles_settings() {
    enregistrer_tables_settings();
    // The pickers of these windows bind their tables through the shared binders.
    selecteurs::definir_liaison(&liants::lier_ou_lever);
    for (const forms::DescriptionListe& d : listes::table())
        forms::Feuilles::enregistrer(d.fenetre, [d] { return new forms::FeuilleListe(d); });
    for (const fiches::DescriptionFiche& d : fiches::table())
        forms::Feuilles::enregistrer(d.fenetre, [d] { return new reglages::FeuilleFiche(d); });
    forms::Feuilles::enregistrer(noms::parametres, [] { return new reglages::FeuilleParametres; });
}
