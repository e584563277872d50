#pragma once
// Record formulas as the callers and the templates write them ({table.champ}, "texte",
// numbers, True/False, = <> < <= > >=, AND/OR/NOT, parentheses, âge(...), valeurs(...)), parsed once into
// a tree and turned into an SQLite expression whose constants are bound parameters.
#include "platform/texte/jour.h"
#include <QDate>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <QVector>
#include <functional>
#include <memory>

namespace report::formule {

struct Noeud;
using PNoeud = std::shared_ptr<const Noeud>;

struct Noeud {
    enum Genre { Champ, Texte, Nombre, Booleen, Age, Comparaison, Et, Ou, Non, Valeurs, Joindre, De } genre;
    QString table, champ;  // Champ
    QString texte;         // Texte; the operator of a Comparaison
    double nombre = 0;
    bool booleen = false;
    QVector<PNoeud> enfants;
};
// valeurs({table.champ}) in a template: the different values of the field within the group
// (or the report), joined by ", "; the report reads it. In a selection it is the field itself.
// joindre(séparateur, v1, v2, ...): the values that are not blank, trimmed, joined by the
// separator. de(v): "d'" before a vowel, y or h (accented or not), "de " otherwise, then v;
// empty when v is.

// The whole text as one formula; an empty or blank text gives nullptr (every record).
// A malformed text throws Erreur 3075 with a French explanation.
PNoeud analyser(const QString& texte);

// The formula at `depart` of `texte`, stopping at the first character that cannot continue
// it; `depart` is moved past it. Used for the value places of the templates.
PNoeud analyser_partiel(const QString& texte, int& depart);

// The tables named by the formula's fields.
void tables(const PNoeud& n, QSet<QString>& resultat);
// Every field reference of the formula, in order of appearance.
void champs(const PNoeud& n, QVector<const Noeud*>& resultat);

// A stable text of the formula, the same for two formulas that mean the same.
QString canonique(const PNoeud& n);

struct ContexteSql {
    // The SQL of a field reference ("\"élèves\".\"nom_élève\""); throws 3075 for a field or
    // table that the data do not offer.
    std::function<QString(const QString& table, const QString& champ)> colonne;
    QDate aujourdhui = jour::aujourdhui();
};

// The formula as an SQLite expression; its constants are appended to `parametres`.
// A condition (comparison, AND, OR, NOT, or a lone value taken as true when not empty or
// zero) when `condition` is true, otherwise a value.
QString en_sql(const PNoeud& n, const ContexteSql& ctx, QVariantList& parametres, bool condition);

// A table or field name quoted for SQLite.
QString nom_sql(const QString& nom);

// The SQLite function that computes an age, registered on a connection before a query.
inline constexpr const char* FonctionAge = "carnelis_age";
}  // namespace report::formule

struct sqlite3;
namespace report::formule {
void enregistrer_fonctions(::sqlite3* base);
// Whole years from `naissance` to `jour`; -1 when `naissance` is not a date.
int age(const QVariant& naissance, const QDate& jour);
}  // namespace report::formule
