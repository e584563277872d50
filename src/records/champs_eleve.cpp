#include "records/champs_eleve.h"
#include "platform/forms/controles_simples.h"
#include <QStringList>

namespace eleve {

namespace {
using forms::Genre;
constexpr Genre L = Genre::Ligne, M = Genre::Multiligne, V = Genre::Verrouille, C = Genre::Cachee, K = Genre::Case;
constexpr int Haut = forms::AuDessusDesOnglets;

// One row: its neighbour named by its label's text, its button's name, or the configurable
// caption "lblLabels(k)"; `colonne` counts label-and-field pairs.
forms::Champ rangee(const char* controle, const char* champ, int max, int onglet, const char* infobulle, Genre genre,
                    const char* libelle, int ligne, int colonne, const char* cadre = "") {
    forms::Champ c;
    c.controle = forms::u(controle);
    c.champ = forms::u(champ);
    c.longueur = max;
    c.onglet = onglet;
    c.cadre = forms::u(cadre);
    c.ligne = ligne;
    c.colonne = 2 * colonne;
    if (genre == Genre::Multiligne) c.largeur = -1;
    c.genre = genre;
    c.infobulle = forms::u(infobulle);
    c.tourneOnglet = genre != Genre::Case;
    const QString voisin = forms::u(libelle);
    if (genre == Genre::Case) {
        c.voisin = forms::Voisin::Aucun;
        c.texteVoisin = QStringLiteral("Aîné dans l'école");
    } else if (voisin.isEmpty()) {
        c.voisin = forms::Voisin::Aucun;
    } else if (const Bouton* b = bouton(voisin)) {
        c.voisin = forms::Voisin::Bouton;
        c.nomVoisin = voisin;
        c.texteVoisin = forms::u(b->legende);
        c.infobulleVoisin = forms::u(b->infobulle);
    } else if (voisin.startsWith(QStringLiteral("lblLabels("))) {
        // A configurable field's caption, until the one record of `paramètres` gives it.
        c.nomVoisin = voisin;
        c.texteVoisin = QStringLiteral("champ paramétable %1").arg(voisin.mid(10).chopped(1).toInt() + 1);
    } else {
        c.texteVoisin = voisin;
    }
    return c;
}

const char* const Contact[] = {"Nom d'une personne à contacter", "Prénom d'une personne à contacter",
                               "Coordonnées téléphoniques d'une personne à contacter"};
const char* const Regle = "Cliquez pour accéder aux différents choix possibles";
}  // namespace

// In the order of the keyboard: down each tab, line by line.
const QVector<forms::Champ>& champs() {
    static const QVector<forms::Champ> t = {
        // control, field, max, tab, tooltip, kind, label or button, line, column[, frame]
        rangee("matricule", "matricule", 10, Haut, "", L, "Command2", 0, 0, "Frame1"),
        rangee("nom_enfant", "nom_élève", 30, Haut, "", L, "Command13", 0, 1, "Frame1"),
        rangee("prénom_enfant", "prénom_élève", 30, Haut, "", L, "prénom", 0, 2, "Frame1"),
        rangee("référence_famille", "référence_famille", 0, Haut, "Référence de la famille : ne pas modifier...", V,
         "Référence famille", 0, 0, "Frame2"),

        rangee("date_naissance", "date_naissance_élève", 0, 0, "Date de naissance de l'élève (au format JJ/MM/AAAA)", L,
         "date de naissance", 0, 0),
        rangee("lieu_naissance", "lieu_naissance_élève", 50, 0, "Lieu de naissance de l'élève", L, "lieu de naissance", 1, 0),
        rangee("sexe", "sexe_élève", 8, 0, "Sexe de l'élève", L, "Command7", 2, 0),
        rangee("nationalité", "nationalité_élève", 30, 0, "Nationalité de l'élève", L, "Command5", 3, 0),
        rangee("code_nationalité", "code_nationalité_élève", 5, 0, "Code de la nationalité de l'élève", L, "code", 3, 1),
        rangee("date_inscription", "date_inscription_élève", 0, 0,
         "Date d'inscription de l'élève dans l'établissement (au format JJ/MM/AAAA)", L, "Command15", 4, 0),
        rangee("Check2", "ainé", 0, 0,
         "indication de l'aîné dans l'école, dont le nom servira en particulier pour les opérations électorales", K,
         "", 5, 0),
        rangee("chemin_photo", "chemin_photo", 254, 0, "chemin d'accès à la photo de l'élève", C, "", 0, 0),
        rangee("date_radiation", "date_radiation_élève", 0, 0,
         "Date de radiation de l'établissement pour l'élève concerné (au format JJ/MM/AAAA)", L, "date de radiation",
         0, 0, "Frame3"),
        rangee("établissement_accueil", "établissement_accueil", 50, 0,
         "Coordonnées de l'établissement d'accueil suite à la radiation", L, "Etablissement d'accueil", 1, 0,
         "Frame3"),

        rangee("référence_classe_élève", "référence_classe_élève", 5, 1, "Référence de la classe", L, "Command12", 0, 0),
        rangee("niveau_classe_élève", "niveau_classe_élève", 10, 1, "Niveau de la classe dans laquelle est inscrit l'élève",
         L, "niveau", 1, 0),
        rangee("cycle_classe_élève", "cycle_classe_élève", 1, 1, "Cycle dans lequel est inscrit l'élève", L, "cycle", 2, 0),
        rangee("cursus_allongé_élève", "cursus_allongé_élève", 50, 1, "Détails du cursus de l'élève (allongement)", L,
         "cursus allongé", 3, 0),
        rangee("saisine_ccpe_élève", "saisine_ccpe_élève", 50, 1,
         "Détails des opérations de signalement de l'élève (date saisine,....)", L, "saisine MDPH", 4, 0),
        rangee("langue_vivante_élève", "langue_vivante_élève", 30, 1, "Langue vivante étudiée par l'élève", L, "Command11", 5,
         0),

        rangee("nom_contact1", "nom_contact1", 30, 2, Contact[0], L, "", 1, 0),
        rangee("prénom_contact1", "prénom_contact1", 30, 2, Contact[1], L, "", 1, 1),
        rangee("téléphone_contact1", "téléphone_contact1", 20, 2, Contact[2], L, "", 1, 2),
        rangee("nom_contact2", "nom_contact2", 30, 2, Contact[0], L, "", 2, 0),
        rangee("prénom_contact2", "prénom_contact2", 30, 2, Contact[1], L, "", 2, 1),
        rangee("téléphone_contact2", "téléphone_contact2", 20, 2, Contact[2], L, "", 2, 2),
        rangee("nom_contact3", "nom_contact3", 30, 2, Contact[0], L, "", 3, 0),
        rangee("prénom_contact3", "prénom_contact3", 30, 2, Contact[1], L, "", 3, 1),
        rangee("téléphone_contact3", "téléphone_contact3", 20, 2, Contact[2], L, "", 3, 2),
        rangee("nom_contact4", "nom_contact4", 30, 2, Contact[0], L, "", 4, 0),
        rangee("prénom_contact4", "prénom_contact4", 30, 2, Contact[1], L, "", 4, 1),
        rangee("téléphone_contact4", "téléphone_contact4", 20, 2, Contact[2], L, "", 4, 2),
        rangee("nom_contact5", "nom_contact5", 30, 2, Contact[0], L, "", 5, 0),
        rangee("prénom_contact5", "prénom_contact5", 30, 2, Contact[1], L, "", 5, 1),
        rangee("téléphone_contact5", "téléphone_contact5", 20, 2, Contact[2], L, "", 5, 2),

        rangee("numéro_résidence", "numéro_résidence", 10, 3, "Numéro de voirie", L, "numéro", 1, 0),
        rangee("adresse_résidence", "adresse_résidence", 50, 3, "Adresse - première composante de l'adresse", L, "Command8",
         2, 0),
        rangee("adresse2_résidence", "adresse2_résidence", 50, 3, "Adresse - deuxième composante éventuelle", L,
         "suite adresse", 3, 0),
        rangee("code_postal_résidence", "code_postal_résidence", 8, 3, "Code postal", L, "Command9", 4, 0),
        rangee("ville_résidence", "ville_résidence", 50, 3, "Ville", L, "Command10", 4, 1),
        rangee("téléphone1_résidence", "téléphone1_résidence", 20, 3, "Coordonnées téléphoniques", L, "téléphone1", 5, 0),
        rangee("téléphone2_résidence", "téléphone2_résidence", 20, 3, "Coordonnées téléphoniques", L, "téléphone 2", 5, 1),

        // The left column, the medical observations under it, then the right column.
        rangee("vaccinations", "vaccinations", 50, 4, "Vaccinations", L, "vaccinations", 0, 0),
        rangee("allergies", "allergies", 50, 4, "Allergies", L, "allergies", 1, 0),
        rangee("contre_indications", "contre_indications", 50, 4, "Contre indications", L, "contre indications", 2, 0),
        rangee("observations_médicales", "observations_médicales", 0, 4,
         "Observations médicales uniquement --- ATTENTION : aucun renseignement préjudiciable à l'enfant ou à la "
         "famille ",
         M, "observations médicales", 3, 0),
        rangee("participation_usep", "participation_usep", 20, 4, "USEP", L, "participation USEP", 0, 1),
        rangee("restauration_scolaire", "restauration_scolaire", 30, 4, "Restauration scolaire", L, "restauration scolaire",
         1, 1),
        rangee("coopérative_scolaire", "coopérative_scolaire", 30, 4, "Coopérative scolaire", L, "coopérative scolaire", 2,
         1),
        rangee("observations_générales", "observations_générales", 0, 4,
         "Observations générales sur l'enfant --- ATTENTION : aucune donnée préjudiciable à l'enfant ou à la famille",
         M, "observations générales", 4, 0),

        // Their captions are the labels lblLabels(0) to lblLabels(9), bound to `paramètres`.
        rangee("champ_paramétable1", "champ_paramétable1", 50, 5, "", L, "lblLabels(0)", 0, 0),
        rangee("champ_paramétable2", "champ_paramétable2", 50, 5, "", L, "lblLabels(1)", 1, 0),
        rangee("champ_paramétable3", "champ_paramétable3", 50, 5, "", L, "lblLabels(2)", 2, 0),
        rangee("champ_paramétable4", "champ_paramétable4", 50, 5, "", L, "lblLabels(3)", 3, 0),
        rangee("champ_paramétable5", "champ_paramétable5", 0, 5, "", M, "lblLabels(4)", 4, 0),
        rangee("champ_paramétable6", "champ_paramétable6", 50, 6, "", L, "lblLabels(5)", 0, 0),
        rangee("champ_paramétable7", "champ_paramétable7", 50, 6, "", L, "lblLabels(6)", 1, 0),
        rangee("champ_paramétable8", "champ_paramétable8", 50, 6, "", L, "lblLabels(7)", 2, 0),
        rangee("champ_paramétable9", "champ_paramétable9", 0, 6, "", M, "lblLabels(8)", 3, 0),
        rangee("champ_paramétable10", "champ_paramétable10", 0, 6, "", M, "lblLabels(9)", 4, 0),
    };
    return t;
}

const forms::Champ* champ(const QString& controle) {
    for (const forms::Champ& c : champs())
        if (controle == c.controle) return &c;
    return nullptr;
}

const QVector<Bouton>& boutons() {
    static const QVector<Bouton> t = {
        {"Command2", "matricule",
         "Cliquez ici pour accéder à une fiche précise directement à partir d'un matricule"},
        {"Command13", "nom",
         "Cliquez ici pour accéder à une fiche précise directement à partir d'un nom (ou d'une partie de nom avec "
         "utilisation de ? et *)"},
        {"Command4", "Parents", "Cliquez pour accéder à la fiche des parents de l'élève en cours"},
        {"Command3", "&Imprimer", "Cliquez pour imprimer la fiche"},
        {"Command7", "sexe", Regle},
        {"Command5", "nationalité", Regle},
        {"Command15", "date d'inscription", "Cliquez pour accepter la date du jour comme date d'inscription"},
        {"Command14", "photo", "Cliquez pour choisir la photo de l'élève"},
        {"Command12", "référence de la classe", Regle},
        {"Command11", "langue vivante", Regle},
        {"Command8", "adresse", Regle},
        {"Command9", "code postal", Regle},
        {"Command10", "ville", Regle},
        {"Command16", "CLIQUEZ ICI si l'adresse de résidence est identique à celle du responsable légal",
         "Cliquez pour accepter automatiquement l'adresse du responsable légal en tant qu'adresse du responsable "
         "légal"},
        {"Command6", "Modifier  le document sélectionné",
         "Cliquez pour modifier le document sélectionné dans la liste ci-dessus"},
        {"documents_suite", "Imprimer le document sélectionné",
         "Cliquez pour imprimer le document sélectionné dans la liste ci-dessus pour l'élève en cours"},
    };
    return t;
}

const Bouton* bouton(const QString& nom) {
    for (const Bouton& b : boutons())
        if (nom == QString::fromUtf8(b.nom)) return &b;
    return nullptr;
}

const QStringList& onglets() {
    static const QStringList t = {QStringLiteral("&Identité"),       QStringLiteral("&Classe"),
                                  QStringLiteral("&Personnes autorisées"), QStringLiteral("&Résidence"),
                                  QStringLiteral("&Santé / Divers"), QStringLiteral("Autres (&1)"),
                                  QStringLiteral("Autres (&2)"),     QStringLiteral("&Documents")};
    return t;
}

}  // namespace eleve
