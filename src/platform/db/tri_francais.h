#pragma once
// A table's rows read in French order without SQLite sorting them. SQLite would call the French
// comparison for each pair its sort compares (n log n calls: 100,000 pupils by name, about
// 50 ms); here each distinct value of the order's columns is compared instead (names repeat: a
// few thousand of them for a whole register), and the rows are then put in the order of the
// ranks of their values. The order is the one SQLite gives with the French collation; rows equal
// in every term follow their identities.
#include "platform/db/dialecte.h"
#include <QVector>
#include <optional>

struct sqlite3;

namespace db::tri_francais {

// The identities of the rows of `source`, in its order; nothing when that order is not one
// read here (a term that is a code, a value that is neither a text nor empty), for SQLite to
// sort it.
std::optional<QVector<qint64>> identites(sqlite3* p, const dialecte::Source& source);

}  // namespace db::tri_francais
