#pragma once
// Patterns of the two LIKE dialects compiled to one form: the statements' dialect's (* ? # [..])
// and SQLite's own (% _ with an optional escape). Matching compares as the French order's first
// level: accents and case ignored, both ways ("eloi" matches "ÉLOI", "éloi" matches "Eloi").
#include <QString>
#include <QVector>

namespace db::motif {

struct Element {
    enum Genre { Caractere, UnQuelconque, Tous, Chiffre, Classe } genre = Caractere;
    uint c = 0;
    bool negation = false;
    QVector<QPair<uint, uint>> plages;  // inclusive ranges of a class
};

struct Motif {
    QVector<Element> elements;
};

// The dialect's pattern. An unclosed "[" stands for itself, so that a typed "[" is
// looked for as typed instead of breaking the search.
Motif compiler_jet(const QString& motif);
// SQLite's LIKE pattern; `echappement` 0 when none.
Motif compiler_sql(const QString& motif, uint echappement = 0);

// The text as the matcher compares it (its first-level characters).
QVector<uint> preparer(const QString& texte);
bool correspond(const Motif& m, const QVector<uint>& texte);
// True when the text, given as UTF-8, cannot match because its first character, a plain ASCII
// one, differs from the character the pattern begins with; false when that does not tell (the
// whole comparison then decides). A search over a whole table turns most rows down so, without
// converting them.
bool exclu_au_premier(const Motif& m, const char* utf8, int octets);

}  // namespace db::motif
