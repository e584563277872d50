#pragma once
// A report template ("*.rpt", format in docs/modeles_rapports.md) read into memory.
#include "platform/report/formule.h"

#include <QString>
#include <QVector>
#include <optional>

namespace report {

// One piece of a cell's content: fixed text or a value place.
struct Morceau {
    enum Genre { Texte, Valeur, Formule, Special } genre = Texte;
    QString texte;            // Texte: the text; Formule: the caller's formula name; Special: the word
    formule::PNoeud valeur;   // Valeur: a field or an expression such as âge(...)
};

struct Cellule {
    double largeur = 0;  // mm; 0 shares the remaining width
    int alignement = 0;  // 0 left, 1 centre, 2 right
    bool gras = false, italique = false, cadre = false;
    double taille = 0;   // points; 0 the template's size
    int repetition = 1;
    QVector<Morceau> contenu;
};

struct Element {
    enum Genre { Ligne, Espace, Trait, Bloc } genre = Ligne;
    QVector<Cellule> cellules;  // Ligne
    double mm = 0;              // Espace
    Morceau condition;          // Bloc: printed when this value is not empty
    QVector<Element> enfants;   // Bloc
};
using Bande = QVector<Element>;

enum class Source { Eleves, ElevesFamilles, Familles, Documents, Aucune };

struct Cle {
    formule::PNoeud valeur;
    bool decroissant = false;
};

// A lookup table read beside the source: `table.cle = {source.champ}`; its fields are those
// of the first row whose key equals the record's field, empty when none does.
struct Jointure {
    QString table, cle;
    formule::PNoeud valeur;
};

struct Modele {
    QString titre;
    QVector<Jointure> jointures;
    Source source = Source::Eleves;
    formule::PNoeud condition;
    QVector<Cle> tri;
    std::optional<Cle> groupe;
    // What {=groupe} prints for the group of the records whose key is empty, agreeing with the
    // noun the template puts before it ("Classe non renseignée").
    QString groupeVide = QStringLiteral("non renseigné");
    enum class Saut { Aucun, Groupe, Enregistrement } saut = Saut::Aucun;
    bool paysage = false;
    double marges[4] = {15, 15, 15, 15};  // top, right, bottom, left, mm
    double police = 10;
    int etiquettesColonnes = 0, etiquettesLignes = 0;
    // Source élèves_familles: a pupil whose family is not found is left out (and counted)
    // instead of printing a blank address.
    bool familleObligatoire = false;
    // The frame of a window envelope's address on the first page: left, top, width, height in
    // mm from the paper's edges; width 0 when the template has none. Its lines are `fenetre`.
    double cadreFenetre[4] = {0, 0, 0, 0};

    Bande entetePage, debutRapport, enteteColonnes, enteteGroupe, detail, piedGroupe, finRapport, piedPage, fenetre;
};

// Reads a template file: 53 when it does not exist, 3075 with the line number when it is
// malformed.
Modele lire_modele(const QString& chemin);
// The same from the text itself; `nom` names it in messages and gives the default title.
Modele analyser_modele(const QString& texte, const QString& nom);

// Every value place of a band (fields and expressions, blocks' conditions included).
void valeurs(const Bande& b, QVector<formule::PNoeud>& resultat);

}  // namespace report
