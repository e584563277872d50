#include "records/feuille_choix_famille.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/noms_feuilles.h"
#include "records/feuille_famille.h"

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
        // The row highlighted, as the family window names the family shown.
        [](const forms::FenetreDonnees& f) {
            const auto& rs = f.datPrimaryRS()->Recordset();
            return question_suppression(rs.texte(QStringLiteral("prénom_responsable_légal")),
                                        rs.texte(QStringLiteral("nom_responsable_légal")),
                                        rs.texte(QStringLiteral("référence_famille")));
        },
    };
    return d;
}

}  // namespace famille
