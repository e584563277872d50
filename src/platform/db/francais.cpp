#include "platform/db/francais.h"
#include "platform/db/motif.h"
#include "platform/db/sqlite_outils.h"
#include <sqlite3.h>

namespace db::francais {

namespace {

int comparer_octets(void*, int n1, const void* a, int n2, const void* b) {
    return comparer_utf8(static_cast<const char*>(a), n1, static_cast<const char*>(b), n2);
}

int comparer_lettres_octets(void*, int n1, const void* a, int n2, const void* b) {
    return comparer_lettres_utf8(static_cast<const char*>(a), n1, static_cast<const char*>(b), n2);
}

QString texte(sqlite3_value* v) {
    return sqlite::texte(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
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

// comme(texte, motif): the LIKE of the statements' dialect (* ? # [...]).
void fonction_comme(sqlite3_context* ctx, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const motif::Motif* m = motif_de(ctx, 1, args[1], [](const QString& s) { return motif::compiler_jet(s); });
    if (m && motif::exclu_au_premier(*m, reinterpret_cast<const char*>(sqlite3_value_text(args[0])),
                                     sqlite3_value_bytes(args[0]))) {
        sqlite3_result_int(ctx, 0);
    } else if (m) {
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
    const motif::Motif* m = motif_de(ctx, 0, args[0], compiler);
    if (m && motif::exclu_au_premier(*m, reinterpret_cast<const char*>(sqlite3_value_text(args[1])),
                                     sqlite3_value_bytes(args[1]))) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    const QVector<uint> t = motif::preparer(texte(args[1]));
    if (m)
        sqlite3_result_int(ctx, motif::correspond(*m, t));
    else
        sqlite3_result_int(ctx, motif::correspond(compiler(texte(args[0])), t));
}

}  // namespace

void installer(sqlite3* p) {
    const int drapeaux = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation_v2(p, collation, SQLITE_UTF8, nullptr, comparer_octets, nullptr);
    sqlite3_create_collation_v2(p, collation_lettres, SQLITE_UTF8, nullptr, comparer_lettres_octets, nullptr);
    sqlite3_create_function_v2(p, fonction_motif, 2, drapeaux, nullptr, fonction_comme, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(p, "like", 2, drapeaux, nullptr, fonction_like, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(p, "like", 3, drapeaux, nullptr, fonction_like, nullptr, nullptr, nullptr);
}

}  // namespace db::francais
