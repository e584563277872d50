#include "reports/enregistrement_reports.h"
#include "platform/forms/noms_feuilles.h"

#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/feuilles.h"
#include "reports/feuille_documents.h"
#include "reports/feuille_traitements.h"
#include "reports/impression_documents.h"

void enregistrer_tables_reports() {
    using namespace forms;
    forms::ajouter_descriptions({
        forms::fenetre_simple(noms::traitements),
        forms::fenetre_liee(noms::documents, "documents", "ouvrir_table_documents",
                            variation(Ajout::NouvelleFiche, true, true, ErreurDonnees::Silencieuse, Legende::Fiche,
                                      Placement::Centree, Accepter::Aucun, AuDechargement::PointeurSeul, false,
                                      InfobulleRafraichirSansAccent)),
    });
}

void enregistrer_feuilles_reports() {
    enregistrer_tables_reports();
    forms::Feuilles::enregistrer(noms::traitements,
                                 [] { return new reports::FeuilleTraitements; });
    forms::Feuilles::enregistrer(noms::documents,
                                 [] { return new reports::FeuilleDocuments; });
    documents::enregistrer_commandes_eleve();
}
