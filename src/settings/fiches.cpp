#include "settings/fiches.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/noms_feuilles.h"
#include <QHash>

using forms::u;

namespace fiches {

namespace {

// A field with a label; `tourne` false for the fields that leave the tab as it is.
forms::Champ l(const char* controle, const char* champ, int max, const char* infobulle, const char* libelle,
               bool tourne = true) {
    forms::Champ c;
    c.controle = u(controle);
    c.champ = u(champ);
    c.longueur = max;
    c.infobulle = u(infobulle);
    c.texteVoisin = u(libelle);
    c.tourneOnglet = tourne;
    return c;
}
// A field whose choice button serves as its label.
forms::Champ b(const char* controle, const char* champ, int max, const char* infobulle, const char* bouton,
               bool tourne = true) {
    static const QHash<QString, QString> legendes = {
        {u("Command2"), u("adresse")}, {u("Command7"), u("ville")},   {u("Command9"), u("c.postal")},
        {u("Command3"), u("genre")},   {u("Command5"), u("genre")},   {u("Command4"), u("niveau")}};
    forms::Champ c = l(controle, champ, max, infobulle, "", tourne);
    c.voisin = forms::Voisin::Bouton;
    c.nomVoisin = u(bouton);
    c.texteVoisin = legendes.value(c.nomVoisin);
    return c;
}

// Each group's fields one below the other in its frame, on its tab when the window has tabs.
QVector<DescriptionFiche> places(QVector<DescriptionFiche> t) {
    for (DescriptionFiche& d : t) {
        for (int g = 0; g < d.groupes.size(); ++g) {
            Groupe& groupe = d.groupes[g];
            for (int i = 0; i < groupe.champs.size(); ++i) {
                forms::Champ& c = groupe.champs[i];
                c.onglet = d.onglets ? g : forms::AuDessusDesOnglets;
                c.cadre = groupe.cadre;
                c.ligne = i;
            }
        }
    }
    return t;
}

}  // namespace

const QVector<DescriptionFiche>& table() {
    static const QVector<DescriptionFiche> t = places({
        {noms::ecole, u("Fiche école"), true,
         {{u("Frame2"), u("&Coordonnées"),
           {l("nom_école", "nom_école", 50, "Nom de l'école", "nom de l'école"),
            b("adresse_école", "adresse_école", 50, "Première composante de l'adresse de l'école", "Command2"),
            l("suite_adresse_école", "adresse2_école", 50, "Deuxième composante éventuelle de l'adresse de l'école",
              "suite adresse"),
            l("numéro_école", "numéro_école", 10, "numéro dans la voirie", "numéro"),
            b("code_postal_école", "code_postal_école", 8, "Code postal de l'école", "Command9"),
            b("ville_école", "ville_école", 50, "Ville de l'école", "Command7"),
            l("téléphone_école", "téléphone_école", 20, "Coordonnées téléphoniques de l'école", "téléphone"),
            l("télécopie_école", "télécopie_école", 20, "Télécopie de l'école", "télécopie"),
            l("mail_école", "mail_école", 50, "Adresse électronique de l'école", "E-mail"),
            l("rne_école", "rne_école", 20, "Numéro RNE de l'école", "numéro RNE")}},
          {u("Frame1"), u("&Directeur/Directrice"),
           {b("genre_directeur", "genre_directeur_école", 20, "Monsieur, Madame, Mademoiselle", "Command3"),
            l("nom_directeur", "nom_directeur_école", 30, "Nom du Directeur (de la Directrice)", "nom"),
            l("prénom_directeur", "prénom_directeur_école", 30, "Prénom du Directeur (de la Directrice)", "prénom"),
            l("Text1", "politesse_directeur", 30, "Formule de politesse", "politesse", false),
            l("Text2", "titre_directeur", 30, "Titre (Directeur, Directrice,...)", "titre", false)}}},
         {}},

        {noms::inspection, u("Inspection de l'Education Nationale"), true,
         {{u("Frame2"), u("&Coordonnées"),
           {l("nom_inspection", "nom_inspection", 50, "Dénomination de la Circoncription de l'Education Nationale",
              "dénomination"),
            b("adresse_inspection", "adresse_inspection", 50,
              "Première composante de l'adresse de l'Inspection de l'Education Nationale", "Command2"),
            l("adresse2_inspection", "adresse2_inspection", 50,
              "Deuxième composante éventuelle de l'adresse de l'Inspection de l'Education Nationale",
              "suite adresse"),
            l("numéro_inspection", "numéro_inspection", 10, "Numéro de voirie", "numéro "),
            b("code_postal_inspection", "code_postal_inspection", 8, "Code postal", "Command9"),
            b("ville_inspection", "ville_inspection", 50, "Ville", "Command7"),
            l("téléphone_inspection", "téléphone_inspection", 20,
              "Coordonnées téléphoniques de l'Inspection de l'Education Nationale", "téléphone"),
            l("télécopie_inspection", "télécopie_inspection", 20,
              "Télécopie  de l'Inspection de l'Education Nationale", "télécopie"),
            l("mail_inspection", "mail_inspection", 50,
              "Adresse électronique de l'Inspection de l'Education Nationale", "E-mail"),
            l("rne_inspection", "rne_inspection", 20, "Numéro RNE de l'Inspection de l'Education Nationale",
              "RNE inspection")}},
          {u("Frame1"), u("&Inspecteur/Inspectrice"),
           {b("genre_inspecteur", "genre_inpecteur", 20, "Monsieur, Madame, Mademoiselle", "Command3", false),
            l("nom_inspecteur", "nom_inspecteur", 30, "Nom de l'Inspecteur (de l'Inspectrice)", "nom"),
            l("prénom_inspecteur", "prénom_inspecteur", 30, "Prénom de l'Inspecteur (de l'Inspectrice)", "prénom"),
            l("politesse_inspecteur", "politesse_inspecteur", 50, "Formule de politesse : Monsieur l'Inspecteur,...",
              "politesse"),
            l("Text1", "titre_inspecteur", 50, "Titre (Inspecteur de l'Education Nationale...)", "titre")}}},
         {}},

        {noms::equipe, u("Fiche enseignant"), false,
         {{u("Frame1"), {},
           {b("genre_enseignant", "genre_enseignant", 20, "Monsieur, Madame, Mademoiselle", "Command5"),
            l("nom_enseignant", "nom_enseignant", 30, "Nom de l'enseignant", "nom"),
            l("prénom_enseignant", "prénom_enseignant", 30, "Prénom de l'enseignant", "prénom")}},
          {u("Frame2"), {},
           {l("numéro_enseignant", "numéro_enseignant", 10, "Numéro de voirie", "numéro"),
            b("adresse1_enseignant", "adresse1_enseignant", 50, "Première composante de l'adresse", "Command2"),
            l("adresse_enseignant", "adresse2_enseignant", 50, "Deuxième composante éventuelle de l'adresse",
              "adresse2"),
            b("code_postal_enseignant", "code_postal_enseignant", 8, "Code postal", "Command9"),
            b("ville_enseignant", "ville_enseignant", 50, "Ville", "Command7"),
            l("téléphone1_enseignant", "téléphone1_enseignant", 20, "Coordonnées téléphoniques de l'enseignant",
              "téléphone1"),
            l("téléphone2_enseignant", "téléphone2_enseignant", 20, "Coordonnées téléphoniques de l'enseignant",
              "téléphone2"),
            l("mail_enseignant", "mail_enseignant", 50, "Adresse électronique de l'enseignant", "E-mail")}},
          {u("Frame3"), {},
           {l("référence_classe_enseignant", "référence_classe_enseignant", 5, "Référence numérique de la classe",
              "référence classe"),
            b("niveau_classe_enseignant", "niveau_classe_enseignant", 10,
              "Niveau : TPS - PS - MS- GS - CP - CE1- CE2 - CM1 - CM2 - CLIN - CLIS - ADA", "Command4"),
            l("cycle_classe_enseignant", "cycle_classe_enseignant", 1, "Cycle : 1, 2 ou 3", "cycle")}}},
         u("Frame3")},
    });
    return t;
}

const DescriptionFiche* chercher(const QString& fenetre) {
    for (const DescriptionFiche& d : table())
        if (d.fenetre == fenetre) return &d;
    return nullptr;
}

}  // namespace fiches
