#include "reports/enregistrement_reports.h"
#include "platform/forms/noms_feuilles.h"

#include "platform/forms/feuilles.h"
#include "reports/feuille_documents.h"
#include "reports/feuille_traitements.h"
#include "reports/impression_documents.h"

void enregistrer_feuilles_reports() {
    forms::Feuilles::enregistrer(noms::traitements,
                                 [] { return new reports::FeuilleTraitements; });
    forms::Feuilles::enregistrer(noms::documents,
                                 [] { return new reports::FeuilleDocuments; });
    documents::enregistrer_commandes_eleve();
}
