#include "platform/db/cles_portees.h"

namespace db {

namespace {
QVector<ClePortee>& declarees() {
    static QVector<ClePortee> d;
    return d;
}
bool meme(const ClePortee& a, const ClePortee& b) {
    return a.table == b.table && a.champ == b.champ && a.tablePorteuse == b.tablePorteuse &&
           a.champPorteur == b.champPorteur;
}
}  // namespace

void declarer_cle_portee(const ClePortee& cle) {
    for (const ClePortee& c : declarees())
        if (meme(c, cle)) return;
    declarees().append(cle);
}

QVector<ClePortee> cles_portees(const QString& table) {
    QVector<ClePortee> r;
    for (const ClePortee& c : declarees())
        if (c.table.compare(table, Qt::CaseInsensitive) == 0) r.append(c);
    return r;
}

}  // namespace db
