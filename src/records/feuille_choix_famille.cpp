#include "records/feuille_choix_famille.h"
#include "platform/forms/noms_feuilles.h"

namespace famille {

const forms::DescriptionListe& description_choix_famille() {
    static const forms::DescriptionListe d{
        noms::choix_famille,
        QStringLiteral("Table des responsables légaux"),
        {{QStringLiteral("référence"), QStringLiteral("référence_famille"), 1200},
         {QStringLiteral("nom"), QStringLiteral("nom_responsable_légal"), 2400},
         {QStringLiteral("prénom"), QStringLiteral("prénom_responsable_légal"), 2100},
         {QStringLiteral("adresse"), QStringLiteral("adresse_responsable"), 3900}},
        forms::FondListe::Blanc,
        true,
    };
    return d;
}

}  // namespace famille
