#pragma once
// The records of a report: read from the database with the template's condition and the
// caller's selection, put in the template's order and cut into its groups.
#include "platform/report/modele.h"

#include <QDate>
#include <QHash>
#include <QVariant>
#include <QVector>

#include <atomic>
#include <functional>

namespace report {

struct Donnees {
    QVector<QVector<QVariant>> lignes;  // in print order; one column per value place
    QHash<QString, int> colonnes;       // formule::canonique(place) -> column
    int colonneGroupe = -1;
    QVector<int> debutsGroupes;         // first row of each group, when the template groups
    QVector<QVariant> valeursGroupes;   // the value each group's heading shows
    qint64 compte = 0;                  // records selected, when only checked and counted
    int sansFamille = 0;                // pupils left out for want of their family's record
    // Fields of the one-record tables (the school, the inspection, the captions of the
    // configurable fields): the same on every row, and shown even when no record is selected.
    QHash<QString, QVariant> constantes;

    QVariant valeur(int ligne, const formule::PNoeud& place) const;

private:
    // Where each place of the template is found, by node: a column, -1 nowhere, -2 a constant.
    mutable QHash<const formule::Noeud*, int> emplacements_;
};

// `base`: the database file (unused by a template without data). Throws Erreur: 3024 and
// the engine's own errors for the file, 3075 for a formula naming what the data do not offer.
// `verifier`: the names and formulas are checked and the records counted (and the pupils left out
// for want of their family), none is read. `arret`: once it turns true, the reading gives up with
// an error (the report was abandoned meanwhile).
Donnees lire_donnees(const Modele& m, const QString& base, const formule::PNoeud& selection,
                     const QDate& aujourdhui, bool verifier = false, const std::atomic<bool>* arret = nullptr);

// Whether the records of `m` can be given one by one: a template without groups nor lists of
// values (valeurs(...)), where no record needs another.
bool se_lit_en_flot(const Modele& m);
// The records of such a template given one by one, in order, none held: `ligne` is called for each
// with `d.lignes` holding that record alone. Returns what lire_donnees() returns, without records.
Donnees parcourir_donnees(const Modele& m, const QString& base, const formule::PNoeud& selection,
                          const QDate& aujourdhui, const std::function<void(const Donnees& d)>& ligne);

// Orders two values as the report sorts them: empty first, numbers and dates by value,
// texts in the French order (`lettres_seules`: at its first level, as groups compare).
int comparer(const QVariant& a, const QVariant& b, bool lettres_seules = false);

}  // namespace report
