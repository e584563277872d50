#pragma once
// Keys that the rows of another table carry: a family's reference in its pupils' records. A new
// row is never numbered with a key that such a row still carries, and deleting a row through a
// result set lets go of its key in the same write: the rows that carried it are kept, their
// field emptied, so that they never pass to the next row given that key.
#include <QString>
#include <QVector>

namespace db {

struct ClePortee {
    QString table, champ;                 // the key: familles.référence_famille
    QString tablePorteuse, champPorteur;  // where it is carried: élèves.référence_famille
};

// Adds a declaration; one declared again stays one.
void declarer_cle_portee(const ClePortee& cle);
// The declared keys of that table (its name compared without case).
QVector<ClePortee> cles_portees(const QString& table);

}  // namespace db
