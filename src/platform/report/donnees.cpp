#include "platform/report/donnees.h"

#include "platform/db/base_donnees.h"
#include "platform/db/francais.h"
#include "platform/db/ordre_francais.h"
#include "platform/erreur.h"

#include <QSet>
#include <sqlite3.h>

#include <algorithm>

namespace report {

namespace {

constexpr int ErreurFormule = 3075;
const QString Eleves = QStringLiteral("élèves");
const QString Familles = QStringLiteral("familles");
const QString Documents = QStringLiteral("documents");

// The tables of one record that every template may name, whatever its source.
bool table_unique(const QString& table) {
    return table == u"école" || table == u"inspection" || table == u"paramètres";
}

QStringList tables_source(Source s) {
    switch (s) {
    case Source::Eleves: return {Eleves};
    case Source::ElevesFamilles: return {Eleves, Familles};
    case Source::Familles: return {Familles};
    case Source::Documents: return {Documents};
    case Source::Aucune: return {};
    }
    return {};
}

QString clause_from(Source s) {
    using formule::nom_sql;
    switch (s) {
    case Source::Eleves: return nom_sql(Eleves);
    case Source::ElevesFamilles:
        return QStringLiteral("%1 LEFT JOIN %2 ON %2.%3 = %1.%3 AND COALESCE(%1.%3,'') <> ''")
            .arg(nom_sql(Eleves), nom_sql(Familles), nom_sql(QStringLiteral("référence_famille")));
    case Source::Familles: return nom_sql(Familles);
    case Source::Documents: return nom_sql(Documents);
    case Source::Aucune: return {};
    }
    return {};
}

bool est_nombre(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Double: case QMetaType::Bool:
    case QMetaType::UInt: case QMetaType::ULongLong:
        return true;
    default: return false;
    }
}

// TPS to CM2 in school order, before any other level; empty first.
int rang_niveau(const QVariant& v) {
    static const QStringList ordre = {"TPS", "PS", "MS", "GS", "CP", "CE1", "CE2", "CM1", "CM2"};
    const QString t = v.toString().trimmed();
    if (t.isEmpty()) return -1;
    for (int i = 0; i < ordre.size(); ++i)
        if (db::francais::memes_lettres(t, ordre[i])) return i;
    return ordre.size();
}

bool est_niveau(const formule::PNoeud& v) {
    return v && v->genre == formule::Noeud::Champ && v->champ.startsWith(QStringLiteral("niveau"));
}

void rang_niveau_sqlite(sqlite3_context* ctx, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) { sqlite3_result_int(ctx, -1); return; }
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    sqlite3_result_int(ctx, rang_niveau(QString::fromUtf8(t, sqlite3_value_bytes(args[0]))));
}

QString alias(int colonne) { return QStringLiteral("c%1").arg(colonne); }

// The records come from the database in the report's order: the group key, then the sort
// keys. Empty values (missing or empty text) come first, as one value; texts in the French
// order, the group key at its first level only, so that the spellings of one value form one
// group whose records follow the sort keys; school levels in school order. Records equal on
// every key stay in the order they were entered.
QString ordre_sql(const Modele& m, const Donnees& d, const QString& table) {
    QStringList termes;
    const auto cle = [&](const formule::PNoeud& valeur, bool decroissant, bool lettres) {
        const QString c = alias(d.colonnes.value(formule::canonique(valeur)));
        const QString sens = decroissant ? QStringLiteral(" DESC") : QString();
        termes << QStringLiteral("(COALESCE(%1, '') <> '')").arg(c) + sens;
        if (est_niveau(valeur)) termes << QStringLiteral("rang_niveau(%1)").arg(c) + sens;
        termes << c + QStringLiteral(" COLLATE ") + QLatin1String(lettres ? db::francais::collation_lettres : db::francais::collation) + sens;
    };
    if (m.groupe) cle(m.groupe->valeur, m.groupe->decroissant, true);
    for (const Cle& k : m.tri) cle(k.valeur, k.decroissant, false);
    if (termes.isEmpty()) return {};
    return QStringLiteral(" ORDER BY ") + termes.join(QStringLiteral(", ")) + QStringLiteral(", ") +
           formule::nom_sql(table) + QStringLiteral(".rowid");
}

}  // namespace

QVariant Donnees::valeur(int ligne, const formule::PNoeud& place) const {
    // Every cell of every row asks for its place: the place's name is worked out once.
    auto e = emplacements_.constFind(place.get());
    if (e == emplacements_.constEnd()) {
        const QString cle = formule::canonique(place);
        e = emplacements_.insert(place.get(), constantes.contains(cle) ? -2 : colonnes.value(cle, -1));
    }
    if (*e == -2) return constantes.value(formule::canonique(place));
    if (*e < 0 || ligne < 0 || ligne >= lignes.size()) return {};
    return lignes[ligne].value(*e);
}

int comparer(const QVariant& a, const QVariant& b, bool lettres_seules) {
    // Sorting compares every value many times: texts are read in place, not converted.
    const bool ta = a.typeId() == QMetaType::QString, tb = b.typeId() == QMetaType::QString;
    if (ta && tb) {
        const QString& x = *static_cast<const QString*>(a.constData());
        const QString& y = *static_cast<const QString*>(b.constData());
        if (x.isEmpty() || y.isEmpty()) return x.isEmpty() == y.isEmpty() ? 0 : (x.isEmpty() ? -1 : 1);
        return lettres_seules ? db::francais::comparer_lettres(x, y) : db::francais::comparer(x, y);
    }
    const bool va = a.isNull() || (ta && a.toString().isEmpty());
    const bool vb = b.isNull() || (tb && b.toString().isEmpty());
    if (va || vb) return va == vb ? 0 : (va ? -1 : 1);
    if (est_nombre(a) && est_nombre(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.typeId() == QMetaType::QDate && b.typeId() == QMetaType::QDate)
        return a.toDate() < b.toDate() ? -1 : (a.toDate() > b.toDate() ? 1 : 0);
    if (est_nombre(a) != est_nombre(b)) return est_nombre(a) ? -1 : 1;
    return lettres_seules ? db::francais::comparer_lettres(a.toString(), b.toString())
                          : db::francais::comparer(a.toString(), b.toString());
}

namespace {

// Every value place of the template, the group's and the sort keys' included.
QVector<formule::PNoeud> places_du_modele(const Modele& m) {
    QVector<formule::PNoeud> places;
    for (const Bande* b : {&m.entetePage, &m.debutRapport, &m.enteteColonnes, &m.enteteGroupe,
                           &m.detail, &m.piedGroupe, &m.finRapport, &m.piedPage, &m.fenetre})
        valeurs(*b, places);
    if (m.groupe) places.append(m.groupe->valeur);
    for (const Cle& k : m.tri) places.append(k.valeur);
    return places;
}

// `flot`: the records are given to it one by one instead of being held.
Donnees lire(const Modele& m, const QString& chemin, const formule::PNoeud& selection, const QDate& aujourdhui,
             bool verifier, const std::atomic<bool>* arret, const std::function<void(const Donnees& d)>* flot) {
    Donnees d;
    const QStringList tables = tables_source(m.source);

    QVector<formule::PNoeud> places = places_du_modele(m);

    // Places that name a one-record table are read once, apart from the records; they order
    // and group nothing.
    auto unique = [](const formule::PNoeud& p) {
        return p && p->genre == formule::Noeud::Champ && table_unique(p->table);
    };
    for (const Cle& k : m.tri)
        if (unique(k.valeur)) throw Erreur(ErreurFormule, QStringLiteral("Formule incorrecte : on ne trie pas sur {%1.%2}.").arg(k.valeur->table, k.valeur->champ));
    if (m.groupe && unique(m.groupe->valeur))
        throw Erreur(ErreurFormule, QStringLiteral("Formule incorrecte : on ne groupe pas sur {%1.%2}.").arg(m.groupe->valeur->table, m.groupe->valeur->champ));
    QVector<const formule::Noeud*> uniques;
    for (auto it = places.begin(); it != places.end();) {
        if (unique(*it)) {
            uniques.append(it->get());
            it = places.erase(it);
        } else {
            ++it;
        }
    }

    std::shared_ptr<db::BaseDonnees> base;
    QHash<QString, QSet<QString>> champs_connus;
    if (!tables.isEmpty() || !uniques.isEmpty()) {
        base = db::BaseDonnees::ouvrir(chemin);
        formule::enregistrer_fonctions(base->poignee());
        sqlite3_create_function(base->poignee(), "rang_niveau", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                rang_niveau_sqlite, nullptr, nullptr);
        // Sorting and reading a large register take a while: an abandoned report stops them.
        if (arret)
            sqlite3_progress_handler(base->poignee(), 100, [](void* a) { return int(static_cast<const std::atomic<bool>*>(a)->load()); },
                                     const_cast<std::atomic<bool>*>(arret));
    }
    auto connus = [&](const QString& table) -> const QSet<QString>& {
        auto it = champs_connus.find(table);
        if (it == champs_connus.end()) {
            QSet<QString> noms;
            for (const auto& c : base->champs(table)) noms.insert(c.nom);
            it = champs_connus.insert(table, noms);
        }
        return *it;
    };
    auto champ_de = [&](const QStringList& permises, const QString& table, const QString& champ) {
        if (!permises.contains(table))
            throw Erreur(ErreurFormule, QStringLiteral("Formule incorrecte : la table « %1 » n'est pas lue par ce modèle ({%1.%2}).").arg(table, champ));
        if (!connus(table).contains(champ))
            throw Erreur(ErreurFormule, QStringLiteral("Formule incorrecte : champ inconnu {%1.%2}.").arg(table, champ));
        return formule::nom_sql(table) + QLatin1Char('.') + formule::nom_sql(champ);
    };
    auto colonne_pour = [&](const QStringList& permises) {
        return [&, permises](const QString& table, const QString& champ) {
            // A lookup table gives the first matching row only: a code listed twice neither
            // doubles the record nor changes the counts.
            for (const Jointure& j : m.jointures) {
                if (j.table != table || permises.contains(table)) continue;
                if (!connus(table).contains(champ) || !connus(table).contains(j.cle))
                    throw Erreur(ErreurFormule, QStringLiteral("Formule incorrecte : champ inconnu {%1.%2}.").arg(table, champ));
                const QString t = formule::nom_sql(table);
                return QStringLiteral("(SELECT %1.%2 FROM %1 WHERE %1.%3 = %4 LIMIT 1)")
                    .arg(t, formule::nom_sql(champ), formule::nom_sql(j.cle),
                         champ_de(permises, j.valeur->table, j.valeur->champ));
            }
            return champ_de(permises, table, champ);
        };
    };

    for (const formule::Noeud* n : uniques) {
        if (!connus(n->table).contains(n->champ))
            throw Erreur(ErreurFormule, QStringLiteral("Formule incorrecte : champ inconnu {%1.%2}.").arg(n->table, n->champ));
        const auto r = base->requete(QStringLiteral("SELECT %1 FROM %2 LIMIT 1")
                                         .arg(formule::nom_sql(n->champ), formule::nom_sql(n->table)));
        d.constantes.insert(QStringLiteral("{%1.%2}").arg(n->table, n->champ), r.lignes.value(0).value(0));
    }

    formule::ContexteSql ctx;
    ctx.aujourdhui = aujourdhui;
    ctx.colonne = colonne_pour(tables);

    QStringList selectionnees;
    QVariantList parametres;
    for (const auto& p : places) {
        const QString k = formule::canonique(p);
        if (d.colonnes.contains(k)) continue;
        d.colonnes.insert(k, selectionnees.size());
        selectionnees.append(formule::en_sql(p, ctx, parametres, false));
    }
    if (m.groupe) d.colonneGroupe = d.colonnes.value(formule::canonique(m.groupe->valeur));

    // Families: a condition on their pupils keeps the families with at least one such pupil.
    QStringList conditions;
    for (const auto& f : {m.condition, selection}) {
        if (!f) continue;
        QSet<QString> nommees;
        formule::tables(f, nommees);
        if (m.source == Source::Familles && nommees.contains(Eleves)) {
            formule::ContexteSql large = ctx;
            large.colonne = colonne_pour({Familles, Eleves});
            const QString ref = formule::nom_sql(QStringLiteral("référence_famille"));
            conditions.append(QStringLiteral("EXISTS (SELECT 1 FROM %1 WHERE %1.%2 = %3.%2 AND %4)")
                                  .arg(formule::nom_sql(Eleves), ref, formule::nom_sql(Familles),
                                       formule::en_sql(f, large, parametres, true)));
        } else {
            conditions.append(formule::en_sql(f, ctx, parametres, true));
        }
    }

    // A list of families (addresses, electors) leaves out the pupils whose family record is
    // missing, and counts them so that the user is told.
    const bool familleObligatoire = m.familleObligatoire && m.source == Source::ElevesFamilles;
    const QString familleTrouvee = QStringLiteral("%1.%2 IS NOT NULL")
                                       .arg(formule::nom_sql(Familles), formule::nom_sql(QStringLiteral("référence_famille")));
    if (familleObligatoire) {
        // The count reads the same values as the records, so that the statement's parameters match.
        const QString lues = selectionnees.isEmpty() ? QStringLiteral("1") : selectionnees.join(QStringLiteral(", "));
        const QStringList sans = QStringList(conditions) << QStringLiteral("NOT (%1)").arg(familleTrouvee);
        auto r = base->requete(QStringLiteral("SELECT COUNT(*) FROM (SELECT %1 FROM %2 WHERE %3)")
                                   .arg(lues, clause_from(m.source), sans.join(QStringLiteral(" AND "))),
                               parametres);
        d.sansFamille = r.lignes.value(0).value(0).toInt();
    }
    if (familleObligatoire) conditions.append(familleTrouvee);

    if (tables.isEmpty()) {
        // A form to fill in by hand: one empty record.
        d.lignes.append(QVector<QVariant>(selectionnees.size()));
        d.compte = 1;
    } else {
        // Each value is named after its column, so that the order can name it.
        QStringList colonnes;
        for (int c = 0; c < selectionnees.size(); ++c) colonnes << selectionnees[c] + QStringLiteral(" AS ") + alias(c);
        QString sql = QStringLiteral("SELECT %1 FROM %2")
                          .arg(colonnes.isEmpty() ? QStringLiteral("1") : colonnes.join(QStringLiteral(", ")),
                               clause_from(m.source));
        if (!conditions.isEmpty()) sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
        if (verifier) {
            auto r = base->requete(QStringLiteral("SELECT COUNT(*) FROM (") + sql + ')', parametres);
            d.compte = r.lignes.value(0).value(0).toLongLong();
            return d;
        }
        sql += ordre_sql(m, d, tables.first());
        if (flot) {
            d.lignes.resize(1);
            base->parcourir(sql, parametres, [&](QVector<QVariant>& ligne) {
                d.lignes[0].swap(ligne);
                ++d.compte;
                (*flot)(d);
            });
            d.lignes.clear();
            return d;
        }
        auto r = base->requete(sql, parametres);
        d.lignes = std::move(r.lignes);
    }
    if (flot) {
        (*flot)(d);
        d.lignes.clear();
        return d;
    }

    if (m.groupe) {
        const auto vide = [](const QVariant& v) {
            return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
        };
        for (int i = 0; i < d.lignes.size(); ++i) {
            const QVariant& b = d.lignes[i][d.colonneGroupe];
            if (i > 0) {
                const QVariant& a = d.lignes[i - 1][d.colonneGroupe];
                // An empty text and a missing value are one group.
                const bool memes = (vide(a) && vide(b)) || (!vide(a) && !vide(b) && comparer(a, b, true) == 0);
                if (memes) continue;
            }
            d.debutsGroupes.append(i);
        }
        // A group's heading shows its most frequent spelling (the first in order on a tie).
        for (int g = 0; g < d.debutsGroupes.size(); ++g) {
            const int de = d.debutsGroupes[g];
            const int a = g + 1 < d.debutsGroupes.size() ? d.debutsGroupes[g + 1] : d.lignes.size();
            QHash<QString, int> comptes;
            QVariant choisie = d.lignes[de][d.colonneGroupe];
            int meilleur = 0;
            if (choisie.typeId() == QMetaType::QString) {
                QVector<QVariant> ordre;
                for (int i = de; i < a; ++i) {
                    const QVariant& v = d.lignes[i][d.colonneGroupe];
                    int& n = comptes[v.toString()];
                    if (n == 0) ordre.append(v);
                    ++n;
                }
                std::sort(ordre.begin(), ordre.end(), [](const QVariant& x, const QVariant& y) { return comparer(x, y) < 0; });
                for (const QVariant& v : ordre)
                    if (comptes.value(v.toString()) > meilleur) { meilleur = comptes.value(v.toString()); choisie = v; }
            }
            d.valeursGroupes.append(choisie);
        }
    }

    // valeurs(...): every value of the group (or of the report) on each of its rows, levels
    // in school order, the others in the French order, each spelling once.
    for (const auto& p : places) {
        if (!p || p->genre != formule::Noeud::Valeurs) continue;
        const int c = d.colonnes.value(formule::canonique(p));
        const bool niveau = est_niveau(p->enfants[0]);
        QVector<int> debuts = m.groupe ? d.debutsGroupes : QVector<int>{0};
        for (int g = 0; g < debuts.size() && !d.lignes.isEmpty(); ++g) {
            const int de = debuts[g];
            const int a = g + 1 < debuts.size() ? debuts[g + 1] : d.lignes.size();
            QVector<QVariant> vues;
            for (int i = de; i < a; ++i) {
                const QVariant v = d.lignes[i][c];
                if (v.toString().trimmed().isEmpty()) continue;
                if (std::none_of(vues.begin(), vues.end(), [&](const QVariant& w) { return comparer(v, w, true) == 0; }))
                    vues.append(v);
            }
            std::stable_sort(vues.begin(), vues.end(), [&](const QVariant& x, const QVariant& y) {
                const int r = niveau ? rang_niveau(x) - rang_niveau(y) : 0;
                return r != 0 ? r < 0 : comparer(x, y) < 0;
            });
            QStringList textes;
            for (const QVariant& v : vues) textes << v.toString().trimmed();
            const QString liste = textes.join(QStringLiteral(", "));
            for (int i = de; i < a; ++i) d.lignes[i][c] = liste;
        }
    }
    return d;
}

}  // namespace

Donnees lire_donnees(const Modele& m, const QString& chemin, const formule::PNoeud& selection,
                     const QDate& aujourdhui, bool verifier, const std::atomic<bool>* arret) {
    return lire(m, chemin, selection, aujourdhui, verifier, arret, nullptr);
}

bool se_lit_en_flot(const Modele& m) {
    if (m.groupe) return false;
    const QVector<formule::PNoeud> places = places_du_modele(m);
    return std::none_of(places.begin(), places.end(),
                        [](const formule::PNoeud& p) { return p && p->genre == formule::Noeud::Valeurs; });
}

Donnees parcourir_donnees(const Modele& m, const QString& chemin, const formule::PNoeud& selection,
                          const QDate& aujourdhui, const std::function<void(const Donnees& d)>& ligne) {
    return lire(m, chemin, selection, aujourdhui, false, nullptr, &ligne);
}

}  // namespace report
