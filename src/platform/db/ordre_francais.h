#pragma once
// The one French order of the program, for every sort, grouping and comparison of texts:
// windows (the SQLite collation), printed lists, file lists and filters.
//   first level:  the letters, accents and case ignored; numbers inside a text by their value
//                 ("Classe 2" before "Classe 10"); spaces, then punctuation, then symbols, then
//                 numbers, then letters;
//   second level: the accents ("Emile" before "Émile"), a number's leading zeros ("CL5"
//                 before "CL05");
//   third level:  the case, small letters first ("brignais", "Brignais", "BRIGNAIS").
// Texts equal at the first level are one value for a grouping or a filter.
#include <QByteArray>
#include <QString>
#include <QVector>

namespace db::francais {

// Negative, 0, positive. 0 only for texts equal at every level; texts that differ only in
// ways the order ignores (a composed or decomposed accent) get a fixed order by code points.
int comparer(const QString& a, const QString& b);
int comparer_utf8(const char* a, int na, const char* b, int nb);

// The first level only: 0 when a grouping holds the two texts as one value.
int comparer_lettres(const QString& a, const QString& b);
int comparer_lettres_utf8(const char* a, int na, const char* b, int nb);
inline bool memes_lettres(const QString& a, const QString& b) { return comparer_lettres(a, b) == 0; }

// A key equal for texts equal at the first level, for hashing groups.
QByteArray cle_lettres(const QString& texte);

// The text's characters as the first level sees them, one after another, for a pattern to match
// as the order compares: accents and case dropped ("É" gives "e"), a ligature as its two letters
// ("œ" gives "o", "e"), what the order passes over (a combining accent, a joiner, a byte-order
// mark) left out; digits, spaces, punctuation and symbols stay themselves.
QVector<uint> lettres(const QString& texte);

}  // namespace db::francais
