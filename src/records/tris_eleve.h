#pragma once
// The pupil window's sort box and its two searches, as tables.
#include <QString>
#include <QVector>

namespace eleve {

struct Tri {
    const char* legende;  // the entry of the sort box Combo1
    const char* requete;  // the record source of datPrimaryRS
};
const QVector<Tri>& tris();
// The query of the entry whose caption is `legende`; the first entry's for any other text.
QString requete_tri(const QString& legende);

// "Positionnement sur une fiche": a search asks for a text and finds the first pupil, in the
// order shown, whose field matches it.
struct Recherche {
    const char* bouton;  // Command2, Command13 (a double-click on `champ` does the same)
    const char* champ;   // the window's field: matricule, nom_enfant
    const char* invite;
    const char* colonne; // the field of `élèves` searched
    bool debut;          // the answer matches the beginning of the field
};
const QVector<Recherche>& recherches();
// The find criterion for a typed answer: quoted so that an apostrophe or a double quote is
// looked for as typed; * and ? stay wildcards.
QString critere(const Recherche& r, const QString& reponse);

}  // namespace eleve
