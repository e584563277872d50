#include "settings/listes.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/noms_feuilles.h"

using forms::u;

namespace listes {

namespace {
forms::ColonneGrille c(const char* champ, int largeur) { return {u(champ), u(champ), largeur}; }
}  // namespace

const QVector<forms::DescriptionListe>& table() {
    static const QVector<forms::DescriptionListe> t = {
        {noms::adresses, u("Tables des adresses (Rues avoisinantes)"), {c("détails", 7575)}},
        {noms::assurances, u("Tables des assurances"), {c("détails", 7455)}},
        {noms::csp, u("Table des CSP (Catégories Socio-Professionnelles)"), {c("code", 1140), c("détails", 6360)}},
        {noms::hopitaux, u("Table des hôpitaux"), {c("nom", 2085), c("téléphone", 1680), c("adresse", 1845), c("ville", 1860)}},
        {noms::medecins, u("Table des médecins"), {c("nom", 2100), c("téléphone", 1680), c("adresse", 1830), c("ville", 1860)}},
        {noms::langues_vivantes, u("Table des langues vivantes"), {c("détails", 7455)}},
        {noms::nationalites, u("Table des nationalités"), {c("détails", 5700), c("code", 1770)}},
        {noms::sexe, u("Table des sexes"), {c("détails", 7470)}},
        {noms::villes, u("Table des villes"), {{u("codes postaux"), u("code_postal"), 1500}, c("détails", 5970)}},
        {noms::situations_familiales, u("Table des situations familiales"), {c("détails", 7470)}},
        {noms::niveaux, u("Table des niveaux et des cycles"), {c("code", 1185), c("détails", 5280), c("cycle", 1005)}},
        {noms::genres, u("Table des genres"), {c("détails", 7500)},
         forms::FondListe::CouleurFenetre, false},
        {noms::assertions, u("Table des assertions"), {c("détails", 7440)}, forms::FondListe::CouleurFenetre},
    };
    return t;
}

const forms::DescriptionListe* chercher(const QString& fenetre) {
    for (const forms::DescriptionListe& d : table())
        if (d.fenetre == fenetre) return &d;
    return nullptr;
}

}  // namespace listes
