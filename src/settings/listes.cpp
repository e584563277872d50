#include "settings/listes.h"
#include "platform/forms/controles_simples.h"

using forms::u;

namespace listes {

namespace {
forms::ColonneGrille c(const char* champ, int largeur) { return {u(champ), u(champ), largeur}; }
}  // namespace

const QVector<DescriptionListe>& table() {
    static const QVector<DescriptionListe> t = {
        {u("feuille_adresses"), u("Tables des adresses (Rues avoisinantes)"), u("adresses"),
         u("ouvrir_table_adresses"), {c("détails", 7575)}},
        {u("feuille_assurances"), u("Tables des assurances"), u("assurances"), u("ouvrir_table_assurances"),
         {c("détails", 7455)}},
        {u("feuille_csp"), u("Table des CSP (Catégories Socio-Professionnelles)"), u("csp"), u("ouvrir_table_csp"),
         {c("code", 1140), c("détails", 6360)}},
        {u("feuille_hôpitaux"), u("Table des hôpitaux"), u("hôpitaux"), u("ouvrir_table_hopitaux"),
         {c("nom", 2085), c("téléphone", 1680), c("adresse", 1845), c("ville", 1860)}},
        {u("feuille_médecins"), u("Table des médecins"), u("médecins"), u("ouvrir_table_medecins"),
         {c("nom", 2100), c("téléphone", 1680), c("adresse", 1830), c("ville", 1860)}},
        {u("feuille_langues_vivantes"), u("Table des langues vivantes"), u("langues_vivantes"),
         u("ouvrir_table_langues_vivantes"), {c("détails", 7455)}},
        {u("feuille_nationalités"), u("Table des nationalités"), u("nationalités"), u("ouvrir_table_nationalites"),
         {c("détails", 5700), c("code", 1770)}},
        {u("feuille_sexe"), u("Table des sexes"), u("sexe"), u("ouvrir_table_sexe"), {c("détails", 7470)}},
        {u("feuille_villes"), u("Table des villes"), u("villes"), u("ouvrir_table_villes"),
         {{u("codes postaux"), u("code_postal"), 1500}, c("détails", 5970)}},
        {u("feuille_situations_familiales"), u("Table des situations familiales"), u("situations_familiales"),
         u("ouvrir_table_situations_familiales"), {c("détails", 7470)}},
        {u("feuille_niveaux"), u("Table des niveaux et des cycles"), u("niveaux"), u("ouvrir_table_niveaux"),
         {c("code", 1185), c("détails", 5280), c("cycle", 1005)}},
        {u("feuille_genres"), u("Table des genres"), u("genres"), u("ouvrir_table_genres"), {c("détails", 7500)},
         Fond::CouleurFenetre, false},
        {u("feuille_assertions"), u("Table des assertions"), u("assertions"), u("ouvrir_table_assertions"),
         {c("détails", 7440)}, Fond::CouleurFenetre},
    };
    return t;
}

const DescriptionListe* chercher(const QString& fenetre) {
    for (const DescriptionListe& d : table())
        if (d.fenetre == fenetre) return &d;
    return nullptr;
}

}  // namespace listes
