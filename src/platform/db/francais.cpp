#include "platform/db/francais.h"
#include "platform/db/motif.h"
#include <QCollator>
#include <QHash>
#include <cstring>
#include <sqlite3.h>

namespace db::francais {

namespace {

// Sorting 10,000 names compares each one many times: its ICU sort key is computed once and
// kept, keyed by the stored UTF-8 bytes.
struct Trieur {
    QCollator collateur{QLocale(QLocale::French, QLocale::France)};
    QHash<QByteArray, QCollatorSortKey> cles;

    QCollatorSortKey cle(const char* octets, int n) {
        const QByteArray brut = QByteArray::fromRawData(octets, n);
        auto it = cles.constFind(brut);
        if (it != cles.constEnd()) return *it;
        if (cles.size() > 200000) cles.clear();
        QCollatorSortKey k = collateur.sortKey(QString::fromUtf8(octets, n));
        cles.insert(QByteArray(octets, n), k);
        return k;
    }
};

Trieur& trieur() {
    thread_local Trieur t;
    return t;
}

int comparer_octets(void*, int n1, const void* a, int n2, const void* b) {
    const int n = std::min(n1, n2);
    const int binaire = std::memcmp(a, b, size_t(n));
    if (binaire == 0 && n1 == n2) return 0;
    Trieur& t = trieur();
    const QCollatorSortKey ka = t.cle(static_cast<const char*>(a), n1);
    const QCollatorSortKey kb = t.cle(static_cast<const char*>(b), n2);
    const int r = ka.compare(kb);
    if (r != 0) return r;
    // Texts the collator calls equal still get one fixed order, so that sorting is stable.
    return binaire != 0 ? binaire : (n1 < n2 ? -1 : 1);
}

QString texte(sqlite3_value* v) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

void liberer_motif(void* m) { delete static_cast<motif::Motif*>(m); }

// The compiled pattern is kept with the statement while the pattern argument is constant.
template <typename Compiler>
const motif::Motif* motif_de(sqlite3_context* ctx, int argument, sqlite3_value* v, Compiler compiler) {
    if (auto* m = static_cast<motif::Motif*>(sqlite3_get_auxdata(ctx, argument))) return m;
    auto* m = new motif::Motif(compiler(texte(v)));
    sqlite3_set_auxdata(ctx, argument, m, liberer_motif);
    return static_cast<motif::Motif*>(sqlite3_get_auxdata(ctx, argument)) ? m : nullptr;
}

// comme(texte, motif): the original engine's LIKE.
void fonction_comme(sqlite3_context* ctx, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const motif::Motif* m = motif_de(ctx, 1, args[1], [](const QString& s) { return motif::compiler_jet(s); });
    if (m) {
        sqlite3_result_int(ctx, motif::correspond(*m, motif::preparer(texte(args[0]))));
    } else {  // auxdata refused: the pattern was freed, compile it for this row only
        sqlite3_result_int(ctx, motif::correspond(motif::compiler_jet(texte(args[1])),
                                                  motif::preparer(texte(args[0]))));
    }
}

// like(motif, texte [, échappement]): SQLite's own LIKE, case ignored beyond ASCII.
void fonction_like(sqlite3_context* ctx, int n, sqlite3_value** args) {
    for (int i = 0; i < n; ++i)
        if (sqlite3_value_type(args[i]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    uint echappement = 0;
    if (n == 3) {
        const QVector<uint> e = texte(args[2]).toUcs4();
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        echappement = e[0];
    }
    const auto compiler = [echappement](const QString& s) { return motif::compiler_sql(s, echappement); };
    const QVector<uint> t = motif::preparer(texte(args[1]));
    if (const motif::Motif* m = motif_de(ctx, 0, args[0], compiler))
        sqlite3_result_int(ctx, motif::correspond(*m, t));
    else
        sqlite3_result_int(ctx, motif::correspond(compiler(texte(args[0])), t));
}

}  // namespace

int comparer(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return comparer_octets(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
}

void installer(sqlite3* p) {
    const int drapeaux = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation_v2(p, collation, SQLITE_UTF8, nullptr, comparer_octets, nullptr);
    sqlite3_create_function_v2(p, fonction_motif, 2, drapeaux, nullptr, fonction_comme, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(p, "like", 2, drapeaux, nullptr, fonction_like, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(p, "like", 3, drapeaux, nullptr, fonction_like, nullptr, nullptr, nullptr);
}

}  // namespace db::francais
