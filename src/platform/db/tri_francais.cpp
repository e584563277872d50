#include "platform/db/tri_francais.h"
#include "platform/db/ordre_francais.h"
#include "platform/db/sqlite_outils.h"

#include <algorithm>
#include <deque>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace db::tri_francais {

namespace {

// The distinct values of one term, each kept once.
struct Valeurs {
    std::deque<std::string> textes;  // stable: the index points into them
    std::unordered_map<std::string_view, int> index;
    int dernier = -1;  // the value of the row before: read from an index, equal values follow each other

    int numero(const char* octets, int n) {
        const std::string_view v(octets, size_t(n));
        if (dernier >= 0 && textes[size_t(dernier)] == v) return dernier;
        if (const auto it = index.find(v); it != index.end()) return dernier = it->second;
        textes.emplace_back(v);
        dernier = int(textes.size()) - 1;
        index.emplace(std::string_view(textes.back()), dernier);
        return dernier;
    }

    // Each value's place in the term's order; an empty field (NULL) comes first going up and
    // last going down, as SQLite puts it.
    std::vector<int> rangs(bool descendant) const {
        const int d = int(textes.size());
        std::vector<int> ordre(size_t(d), 0);
        std::iota(ordre.begin(), ordre.end(), 0);
        std::sort(ordre.begin(), ordre.end(), [this](int a, int b) {
            const std::string& x = textes[size_t(a)];
            const std::string& y = textes[size_t(b)];
            return francais::comparer_utf8(x.data(), int(x.size()), y.data(), int(y.size())) < 0;
        });
        std::vector<int> rang(size_t(d) + 1);
        for (int i = 0; i < d; ++i) rang[size_t(ordre[size_t(i)])] = descendant ? d - 1 - i : i;
        rang[size_t(d)] = descendant ? d : -1;  // the empty field
        return rang;
    }
};

}  // namespace

std::optional<QVector<qint64>> identites(sqlite3* p, const dialecte::Source& source) {
    if (source.termes.isEmpty()) return std::nullopt;
    for (const dialecte::Source::Terme& t : source.termes)
        if (!t.francais) return std::nullopt;
    const int k = int(source.termes.size());
    QString sql = QStringLiteral("SELECT rowid");
    for (const dialecte::Source::Terme& t : source.termes) sql += QStringLiteral(", ") + sqlite::nom_sql(t.champ);
    sql += QStringLiteral(" FROM ") + sqlite::nom_sql(source.table);
    if (!source.filtre.isEmpty()) sql += QStringLiteral(" WHERE ") + source.filtre;

    std::vector<qint64> ids;
    std::vector<int> valeurs;  // k per row: the number of its value in the term, -1 when empty
    std::vector<Valeurs> termes(static_cast<size_t>(k));
    {
        // Room for the rows at once: the highest identity is found in the table's own order.
        sqlite::Instruction plus_haut(p, QStringLiteral("SELECT max(rowid) FROM ") + sqlite::nom_sql(source.table));
        const qint64 prevues = plus_haut.pas() ? std::clamp<qint64>(plus_haut.entier(0), 0, 1 << 24) : 0;
        ids.reserve(size_t(prevues));
        valeurs.reserve(size_t(prevues) * size_t(k));
    }
    {
        sqlite::Instruction i(p, sql);
        while (i.pas()) {
            ids.push_back(i.entier(0));
            for (int t = 0; t < k; ++t) {
                switch (sqlite3_column_type(i.s, t + 1)) {
                case SQLITE_NULL: valeurs.push_back(-1); break;
                case SQLITE_TEXT: {
                    const char* octets = reinterpret_cast<const char*>(sqlite3_column_text(i.s, t + 1));
                    valeurs.push_back(termes[size_t(t)].numero(octets, sqlite3_column_bytes(i.s, t + 1)));
                    break;
                }
                default: return std::nullopt;  // a number or a blob: SQLite's order of kinds
                }
            }
        }
    }
    // The rows sorted by the rank of their value in each term, the last term first, each pass
    // keeping the order of the one before (a counting sort: the ranks are small numbers).
    const size_t n = ids.size();
    std::vector<int> ordre(n), tampon(n);
    std::iota(ordre.begin(), ordre.end(), 0);
    for (int t = k - 1; t >= 0; --t) {
        const std::vector<int> rang = termes[size_t(t)].rangs(source.termes[t].descendant);
        const int vide = int(rang.size()) - 1;
        for (size_t r = 0; r < n; ++r) {
            int& v = valeurs[r * size_t(k) + size_t(t)];
            v = rang[size_t(v < 0 ? vide : v)] + 1;  // 0 to rang.size()
        }
        std::vector<int> debut(rang.size() + 2, 0);
        for (size_t r = 0; r < n; ++r) ++debut[size_t(valeurs[r * size_t(k) + size_t(t)]) + 1];
        std::partial_sum(debut.begin(), debut.end(), debut.begin());
        for (int r : ordre) tampon[size_t(debut[size_t(valeurs[size_t(r) * size_t(k) + size_t(t)])]++)] = r;
        ordre.swap(tampon);
    }
    // Rows equal in every term follow their identities.
    const auto egales = [&](int a, int b) {
        return std::equal(valeurs.begin() + ptrdiff_t(a) * k, valeurs.begin() + ptrdiff_t(a + 1) * k,
                          valeurs.begin() + ptrdiff_t(b) * k);
    };
    for (size_t debut = 0; debut < n;) {
        size_t fin = debut + 1;
        while (fin < n && egales(ordre[debut], ordre[fin])) ++fin;
        const auto parIdentite = [&](int a, int b) { return ids[size_t(a)] < ids[size_t(b)]; };
        if (!std::is_sorted(ordre.begin() + ptrdiff_t(debut), ordre.begin() + ptrdiff_t(fin), parIdentite))
            std::sort(ordre.begin() + ptrdiff_t(debut), ordre.begin() + ptrdiff_t(fin), parIdentite);
        debut = fin;
    }
    QVector<qint64> r(qsizetype(n), 0);
    for (size_t i = 0; i < n; ++i) r[qsizetype(i)] = ids[size_t(ordre[i])];
    return r;
}

}  // namespace db::tri_francais
