#include "records/feuille_famille_champs.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/selecteurs.h"
#include <QHash>
#include <QStringList>

using forms::u;

namespace famille {

namespace {

constexpr bool oui = true, non = false;
constexpr int haut = forms::AuDessusDesOnglets;

// A box of the frame's left (0) or right (1) column; its row is given by champs(). The box
// without a limit is the multi-line one, two rows high; a box straight on its tab spans it.
forms::Champ boite(const char* zone, const char* champ, int max, int onglet, bool tourne, const char* infobulle,
                   forms::Voisin voisin, const char* bouton, const char* legende, const char* infobulleBouton,
                   const char* cadre, int colonne) {
    forms::Champ c;
    c.controle = u(zone);
    c.champ = u(champ);
    c.longueur = max;
    c.onglet = onglet;
    c.cadre = u(cadre);
    c.colonne = 3 * colonne;
    c.voisin = voisin;
    c.nomVoisin = u(bouton);
    c.texteVoisin = u(legende);
    c.infobulleVoisin = u(infobulleBouton);
    c.genre = max == 0 ? forms::Genre::Multiligne : forms::Genre::Ligne;
    if (max == 0) c.hauteur = 2;
    if (c.cadre.isEmpty()) c.largeur = 4;
    c.infobulle = u(infobulle);
    c.tourneOnglet = tourne;
    return c;
}

const char* const InfobulleNom =
    "Cliquez ici pour accéder à une fiche précise directement à partir d'un nom (ou d'une partie de nom avec "
    "utilisation de ? et *)";
const char* const InfobulleReference =
    "Cliquez ici pour accéder à une fiche précise directement à partir d'une référence famille";

// A box with a label.
forms::Champ l(const char* zone, const char* champ, int max, int onglet, bool tourne, const char* infobulle,
               const char* libelle, const char* cadre, int colonne) {
    return boite(zone, champ, max, onglet, tourne, infobulle, forms::Voisin::Libelle, "", libelle, "", cadre, colonne);
}
// A box with its choice button, whose tooltip is the pickers'.
forms::Champ c(const char* zone, const char* champ, int max, int onglet, bool tourne, const char* infobulle,
               const char* bouton, const char* legende, const char* cadre, int colonne) {
    forms::Champ r = boite(zone, champ, max, onglet, tourne, infobulle, forms::Voisin::Bouton, bouton, legende, "",
                           cadre, colonne);
    r.infobulleVoisin = selecteurs::infobulle_choix();
    return r;
}
// A box with its search button.
forms::Champ r(const char* zone, const char* champ, int max, int onglet, bool tourne, const char* infobulle,
               const char* bouton, const char* legende, const char* cadre, int colonne) {
    return boite(zone, champ, max, onglet, tourne, infobulle, forms::Voisin::Bouton, bouton, legende,
                 zone == QLatin1String("Text13") ? InfobulleReference : InfobulleNom, cadre, colonne);
}

// Each box under the one before it in its frame's column.
QVector<forms::Champ> en_lignes(QVector<forms::Champ> t) {
    QHash<QString, int> libres;
    for (forms::Champ& c : t) {
        int& ligne = libres[c.cadre + QLatin1Char('/') + QString::number(c.onglet) + QLatin1Char('/') +
                            QString::number(c.colonne)];
        c.ligne = ligne;
        ligne += c.hauteur;
    }
    return t;
}

const char* const Genre = "Monsieur, Madame, Mademoiselle";
const char* const Voirie = "Numéro de voirie";
const char* const Adresse1 = "Adresse - première composante de l'adresse";
const char* const Adresse2 = "Adresse - deuxième composante éventuelle";
const char* const Comite = "élection au comité de parents";
const char* const P1 = "Frame1";
const char* const P2 = "Frame2";
const char* const Assurance = "Frame3";
const char* const Soins = "Frame4";

}  // namespace

const QVector<forms::Champ>& champs() {
    static const QVector<forms::Champ> t = en_lignes({
        r("Text13", "référence_famille", 10, haut, non, "Référence de la famille (référence unique)", "Command1",
          "Référence famille", "", 0),

        c("genre_responsable_légal", "genre_responsable_légal", 20, 0, non, Genre, "Command21", "genre", P1, 0),
        r("nom_responsable_légal", "nom_responsable_légal", 30, 0, oui, "Nom du responsable légal", "Command23", "nom",
          P1, 0),
        l("prénom_responsable_légal", "prénom_responsable_légal", 30, 0, oui, "Prénom du responsable légal", "prénom",
          P1, 0),
        l("profession_responsable_légal", "profession_responsable_légal", 50, 0, oui,
          "Profession du responsable légal", "profession", P1, 0),
        c("csp_responsable_légal", "csp_responsable_légal", 2, 0, oui, "Catégorie Socio-Professionnelle", "Command13",
          "C.S.P.", P1, 0),
        l("employeur_responsable_légal", "employeur_responsable_légal", 50, 0, oui, "Employeur du responsable légal",
          "employeur", P1, 0),
        l("téléphone_professionnel1_responsable_légal", "téléphone_professionnel1_responsable_légal", 20, 0, oui,
          "Téléphone du responsable légal", "téléphone professionnel", P1, 0),
        l("téléphone_professionnel2_responsable_légal", "téléphone_professionnel2_responsable_légal", 20, 0, oui,
          "Téléphone du responsable légal", "téléphone portable", P1, 0),
        l("mail_responsable_légal", "mail_responsable_légal", 50, 0, oui,
          "Adresse de messagerie électronique du responsable légal", "E-mail", P1, 0),
        c("élection_comité_responsable_légal", "élection_comité_responsable_légal", 3, 0, oui,
          "Election au comité de parents d'élèves", "Command18", Comite, P1, 0),
        l("Text3", "numéro_responsable", 10, 0, oui, Voirie, "numéro", P1, 1),
        c("Text2", "adresse_responsable", 50, 0, oui, Adresse1, "Command8", "adresse", P1, 1),
        l("Text1", "adresse2_responsable", 50, 0, oui, Adresse2, "suite adresse", P1, 1),
        c("Text5", "code_postal_responsable", 8, 0, oui, "Code postal", "Command6", "c.postal", P1, 1),
        c("Text4", "ville_responsable", 50, 0, oui, "Ville", "Command5", "ville", P1, 1),
        c("Text11", "situation_familiale", 50, 0, oui, "Situation familiale", "Command15", "situation familiale", P1,
          1),

        c("genre_conjoint", "genre_conjoint", 20, 1, non, Genre, "Command20", "genre", P2, 0),
        r("nom_conjoint", "nom_conjoint", 30, 1, oui,
          "Nom du conjoint (laisser vide en cas de famille monoparentale..)", "Command22", "nom", P2, 0),
        l("prénom_conjoint", "prénom_conjoint", 30, 1, oui,
          "Prénom du conjoint (laisser vide en cas de famille monoparentale..)", "prénom", P2, 0),
        l("profession_conjoint", "profession_conjoint", 50, 1, oui, "Profession du conjoint", "profession", P2, 0),
        c("csp_conjoint", "csp_conjoint", 2, 1, oui, "", "Command14", "C.S.P.", P2, 0),
        l("employeur_conjoint", "employeur_conjoint", 50, 1, oui, "Employeur du conjoint", "employeur", P2, 0),
        l("téléphone_professionnel1_conjoint", "téléphone_professionnel1_conjoint", 20, 1, oui,
          "Téléphone du conjoint", "téléphone professionnel", P2, 0),
        l("téléphone_professionnel2_conjoint", "téléphone_professionnel2_conjoint", 20, 1, oui,
          "Téléphone du conjoint", "téléphone portable", P2, 0),
        l("mail_conjoint", "mail_conjoint", 50, 1, oui, "Adresse de messagerie électronique du conjoint", "E-mail", P2,
          0),
        c("élection_comité_conjoint", "élection_comité_conjoint", 3, 1, oui, "", "Command17", Comite, P2, 0),
        l("Text8", "numéro_conjoint", 10, 1, oui, Voirie, "numéro", P2, 1),
        c("Text7", "adresse_conjoint", 50, 1, oui, Adresse1, "Command2", "adresse", P2, 1),
        l("Text6", "adresse2_conjoint", 50, 1, oui, Adresse2, "suite adresse", P2, 1),
        c("Text10", "code_postal_conjoint", 8, 1, oui, "Code postal", "Command9", "c.postal", P2, 1),
        c("Text9", "ville_conjoint", 50, 1, oui, "Ville", "Command7", "ville", P2, 1),

        c("communication_données", "communication_données", 3, 2, non,
          "Autorisation de communiquer les données familiales non-confidentielles (nom, prénom, adresse postale) à "
          "des tiers",
          "Command19", "autorisation de communiquer les données non-confidentielles", "", 0),
        c("société_assurance", "société_assurance", 50, 2, oui, "Société d'assurance", "Command12",
          "société assurance", Assurance, 0),
        l("police_assurance", "police_assurance", 30, 2, oui, "Police d'assurance", "police assurance", Assurance, 0),
        l("observations_assurance", "observations_assurance", 0, 2, non, "Observations concernant l'assurance",
          "observations", Assurance, 1),
        c("médecin_traitant", "médecin_traitant", 50, 2, oui, "Nom du médecin de famille", "Command10",
          "médecin traitant", Soins, 0),
        l("adresse_médecin_traitant", "adresse_médecin_traitant", 50, 2, non, "Adressedu médecin de famille",
          "adresse", Soins, 0),
        l("ville_médecin_traitant", "ville_médecin_traitant", 30, 2, non, "Ville du médecin de famille", "ville",
          Soins, 0),
        l("téléphone_médecin_traitant", "téléphone_médecin_traitant", 20, 2, non, "Téléphone du médecin de famille",
          "téléphone", Soins, 0),
        c("hôpital_préférentiel", "hôpital_préférentiel", 50, 2, oui, "Nom de l'hôpital préférentiel", "Command11",
          "hôpital préférentiel", Soins, 1),
        l("adresse_hôpital_préférentiel", "adresse_hôpital_préférentiel", 50, 2, non,
          "Adresse de l'hôpital préférentiel", "adresse", Soins, 1),
        l("ville_hôpital_préférentiel", "ville_hôpital_préférentiel", 30, 2, non, "Ville de l'hôpital préférentiel",
          "ville", Soins, 1),
        l("téléphone_hôpital_préférentiel", "téléphone_hôpital_préférentiel", 20, 2, non,
          "Téléphone de l'hôpital préférentiel", "téléphone", Soins, 1),
    });
    return t;
}

const forms::Champ* champ(const QString& zone) {
    for (const forms::Champ& c : champs())
        if (c.controle == zone) return &c;
    return nullptr;
}

const QVector<Cadre>& cadres() {
    static const QVector<Cadre> t = {
        {u(P1), u("Parent 1"), 0},
        {u(P2), u("Parent 2"), 1},
        {u(Assurance), u("Assurance"), 2},
        {u(Soins), u("Médecin traitant et hôpital préférentiel"), 2},
    };
    return t;
}

QStringList onglets() { return {u("Parent &1"), u("Parent &2"), u("&Divers")}; }

}  // namespace famille
