#pragma once
// What every connection gets so that text behaves as a French user expects: the collation
// FRANCAIS ("Émile" between "Emile" and "Eric"), a LIKE that ignores letter case with accents,
// and comme(texte, motif), the original engine's LIKE, which the translator calls.
#include <QString>
struct sqlite3;

namespace db::francais {

constexpr const char* collation = "FRANCAIS";
constexpr const char* fonction_motif = "comme";

void installer(sqlite3* p);

// The collation's order, for code that sorts outside SQLite (negative, 0, positive).
int comparer(const QString& a, const QString& b);

}  // namespace db::francais
