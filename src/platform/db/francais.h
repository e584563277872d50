#pragma once
// What every connection gets so that text behaves as a French user expects: the collation
// FRANCAIS (the French order of ordre_francais.h: "Émile" between "Emile" and "Eric"), the
// collation FRANCAIS_LETTRES that compares at its first level only (for filters: "cl05"
// equals "CL05"), a LIKE that ignores accents and letter case, and comme(texte, motif), the
// LIKE of the statements' dialect, which the translator calls.
#include "platform/db/ordre_francais.h"
struct sqlite3;

namespace db::francais {

constexpr const char* collation = "FRANCAIS";
constexpr const char* collation_lettres = "FRANCAIS_LETTRES";
constexpr const char* fonction_motif = "comme";

void installer(sqlite3* p);

}  // namespace db::francais
