#include "platform/report/formule.h"

#include "platform/db/dialecte.h"
#include "platform/db/francais.h"
#include "platform/erreur.h"
#include "platform/texte/constantes.h"

#include <sqlite3.h>

namespace report::formule {

namespace {

constexpr int ErreurSyntaxe = 3075;

[[noreturn]] void refuser(const QString& raison, int position) {
    throw Erreur(ErreurSyntaxe, QStringLiteral("Formule incorrecte : %1 (caractère %2).")
                                    .arg(raison).arg(position + 1));
}

struct Jeton {
    enum Genre { Fin, Champ, Texte, Nombre, Mot, ParG, ParD, Op, Autre } genre = Fin;
    QString texte, table;
    double nombre = 0;
    int position = 0;
};

// Reads tokens from `texte` starting at `pos`; an unknown character is an Autre token so
// that a partial parse can stop there.
class Lecteur {
public:
    Lecteur(const QString& texte, int pos) : t_(texte), p_(pos) { avancer(); }
    const Jeton& courant() const { return j_; }
    void avancer() {
        while (p_ < t_.size() && t_[p_].isSpace()) ++p_;
        j_ = Jeton{};
        j_.position = p_;
        if (p_ >= t_.size()) return;
        const QChar c = t_[p_];
        if (c == '{') {
            const int fin = t_.indexOf('}', p_ + 1);
            if (fin < 0) refuser(QStringLiteral("accolade non fermée"), p_);
            const QString dedans = t_.mid(p_ + 1, fin - p_ - 1).trimmed();
            const int point = dedans.indexOf('.');
            if (point <= 0 || point == dedans.size() - 1)
                refuser(QStringLiteral("un champ s'écrit {table.champ}"), p_);
            j_.genre = Jeton::Champ;
            j_.table = dedans.left(point).trimmed();
            j_.texte = dedans.mid(point + 1).trimmed();
            p_ = fin + 1;
        } else if (c == '"') {
            const qsizetype fin = constantes::lire_texte(t_, p_, j_.texte);
            if (fin < 0) refuser(QStringLiteral("guillemet non fermé"), p_);
            j_.genre = Jeton::Texte;
            p_ = int(fin);
        } else if (c.isDigit()) {
            // A formula is typed by a French user: "3,5" is three and a half.
            QString nombre;
            p_ = int(constantes::lire_nombre(t_, p_, true, nombre));
            j_.nombre = nombre.toDouble();
            j_.genre = Jeton::Nombre;
        } else if (c.isLetter() || c == '_') {
            int i = p_;
            while (i < t_.size() && (t_[i].isLetterOrNumber() || t_[i] == '_')) ++i;
            j_.genre = Jeton::Mot;
            j_.texte = t_.mid(p_, i - p_);
            p_ = i;
        } else if (c == '(' || c == ')') {
            j_.genre = c == '(' ? Jeton::ParG : Jeton::ParD;
            ++p_;
        } else if (c == '=' || c == '<' || c == '>') {
            QString op(c);
            if (p_ + 1 < t_.size()) {
                const QChar d = t_[p_ + 1];
                if ((c == '<' && (d == '>' || d == '=')) || (c == '>' && d == '=')) op += d;
            }
            j_.genre = Jeton::Op;
            j_.texte = op;
            p_ += op.size();
        } else {
            j_.genre = Jeton::Autre;
            j_.texte = QString(c);
        }
    }
    int position() const { return j_.position; }
    // Steps over the current one-character token that reading does not pass (a comma).
    void passer() { p_ = j_.position + 1; avancer(); }
    // Whether the character after the current token, blanks skipped, opens a parenthesis.
    bool suivant_est_parenthese() const {
        int i = p_;
        while (i < t_.size() && t_[i].isSpace()) ++i;
        return i < t_.size() && t_[i] == '(';
    }

private:
    const QString& t_;
    int p_;
    Jeton j_;
};

bool est_mot(const Jeton& j, const char* mot) {
    return j.genre == Jeton::Mot && j.texte.compare(QLatin1String(mot), Qt::CaseInsensitive) == 0;
}
bool est_age(const Jeton& j) {
    return j.genre == Jeton::Mot && (j.texte.compare(QStringLiteral("âge"), Qt::CaseInsensitive) == 0 ||
                                     j.texte.compare(QStringLiteral("age"), Qt::CaseInsensitive) == 0);
}

PNoeud binaire(Noeud::Genre g, PNoeud a, PNoeud b, const QString& op = {}) {
    auto n = std::make_shared<Noeud>();
    n->genre = g;
    n->texte = op;
    n->enfants = {std::move(a), std::move(b)};
    return n;
}

// Parentheses, NOT and âge() nest by recursion, and a chain of AND or OR makes a tree as deep
// as it is long: a formula nested or chained beyond any real one is refused before it can
// exhaust the stack (the filter boxes take any text). SQLite itself stops at 1000 levels.
constexpr int ProfondeurMaximale = 200;
constexpr int OperateursMaximum = 500;

class Analyseur {
public:
    explicit Analyseur(Lecteur& l) : l_(l) {}
    PNoeud ou() {
        const Profondeur garde(*this);
        PNoeud a = et();
        while (est_mot(l_.courant(), "OR")) { compter(); l_.avancer(); a = binaire(Noeud::Ou, a, et()); }
        return a;
    }

private:
    PNoeud et() {
        PNoeud a = non();
        while (est_mot(l_.courant(), "AND")) { compter(); l_.avancer(); a = binaire(Noeud::Et, a, non()); }
        return a;
    }
    void compter() {
        if (++operateurs_ > OperateursMaximum) refuser(QStringLiteral("formule trop longue"), l_.position());
    }
    struct Profondeur {
        Analyseur& a;
        explicit Profondeur(Analyseur& an) : a(an) {
            if (++a.profondeur_ > ProfondeurMaximale)
                refuser(QStringLiteral("formule trop imbriquée"), a.l_.position());
        }
        ~Profondeur() { --a.profondeur_; }
    };
    PNoeud non() {
        const Profondeur garde(*this);
        if (est_mot(l_.courant(), "NOT")) {
            l_.avancer();
            auto n = std::make_shared<Noeud>();
            n->genre = Noeud::Non;
            n->enfants = {non()};
            return n;
        }
        return comparaison();
    }
    PNoeud comparaison() {
        PNoeud a = valeur();
        if (l_.courant().genre == Jeton::Op) {
            const QString op = l_.courant().texte;
            l_.avancer();
            a = binaire(Noeud::Comparaison, a, valeur(), op);
        }
        return a;
    }
    PNoeud valeur() {
        const Jeton j = l_.courant();
        switch (j.genre) {
        case Jeton::ParG: {
            l_.avancer();
            PNoeud n = ou();
            if (l_.courant().genre != Jeton::ParD) refuser(QStringLiteral("parenthèse non fermée"), l_.position());
            l_.avancer();
            return n;
        }
        case Jeton::Champ: {
            auto n = std::make_shared<Noeud>();
            n->genre = Noeud::Champ;
            n->table = j.table;
            n->champ = j.texte;
            l_.avancer();
            return n;
        }
        case Jeton::Texte: {
            auto n = std::make_shared<Noeud>();
            n->genre = Noeud::Texte;
            n->texte = j.texte;
            l_.avancer();
            return n;
        }
        case Jeton::Nombre: {
            auto n = std::make_shared<Noeud>();
            n->genre = Noeud::Nombre;
            n->nombre = j.nombre;
            l_.avancer();
            return n;
        }
        case Jeton::Mot:
            if (est_mot(j, "True") || est_mot(j, "False")) {
                auto n = std::make_shared<Noeud>();
                n->genre = Noeud::Booleen;
                n->booleen = est_mot(j, "True");
                l_.avancer();
                return n;
            }
            if (est_age(j)) {
                l_.avancer();
                if (l_.courant().genre != Jeton::ParG) refuser(QStringLiteral("« âge » attend une parenthèse"), l_.position());
                l_.avancer();
                auto n = std::make_shared<Noeud>();
                n->genre = Noeud::Age;
                n->enfants = {ou()};
                if (l_.courant().genre != Jeton::ParD) refuser(QStringLiteral("parenthèse non fermée"), l_.position());
                l_.avancer();
                return n;
            }
            if ((est_mot(j, "joindre") || est_mot(j, "de")) && l_.suivant_est_parenthese()) {
                const bool joindre = est_mot(j, "joindre");
                l_.avancer();
                l_.avancer();
                auto n = std::make_shared<Noeud>();
                n->genre = joindre ? Noeud::Joindre : Noeud::De;
                n->enfants = {ou()};
                while (joindre && l_.courant().genre == Jeton::Autre && l_.courant().texte == ",") {
                    l_.passer();
                    n->enfants.append(ou());
                }
                if (l_.courant().genre != Jeton::ParD) refuser(QStringLiteral("parenthèse non fermée"), l_.position());
                l_.avancer();
                if (joindre && n->enfants.size() < 2) refuser(QStringLiteral("« joindre » attend un séparateur et des valeurs"), l_.position());
                return n;
            }
            if (est_mot(j, "valeurs")) {
                l_.avancer();
                if (l_.courant().genre != Jeton::ParG) refuser(QStringLiteral("« valeurs » attend une parenthèse"), l_.position());
                l_.avancer();
                auto n = std::make_shared<Noeud>();
                n->genre = Noeud::Valeurs;
                n->enfants = {ou()};
                if (n->enfants[0]->genre != Noeud::Champ) refuser(QStringLiteral("« valeurs » attend un champ"), l_.position());
                if (l_.courant().genre != Jeton::ParD) refuser(QStringLiteral("parenthèse non fermée"), l_.position());
                l_.avancer();
                return n;
            }
            refuser(QStringLiteral("mot inconnu « %1 »").arg(j.texte), j.position);
        case Jeton::Fin:
            refuser(QStringLiteral("formule incomplète"), j.position);
        default:
            refuser(QStringLiteral("« %1 » inattendu").arg(j.genre == Jeton::ParD ? QStringLiteral(")") : j.texte), j.position);
        }
    }
    Lecteur& l_;
    int profondeur_ = 0;
    int operateurs_ = 0;
};

// Normalises an operator: "<>" "=" "<" "<=" ">" ">=".
QString inverse(const QString& op) {
    if (op == "<") return QStringLiteral(">");
    if (op == ">") return QStringLiteral("<");
    if (op == "<=") return QStringLiteral(">=");
    if (op == ">=") return QStringLiteral("<=");
    return op;
}

QString vrai_si_non_vide(const QString& sql) {
    return QStringLiteral("(COALESCE(%1,0) NOT IN (0,''))").arg(sql);
}

// A date stored as AAAA-MM-JJ, read without conversion: a list computes an age on every row.
// Invalid when the text is anything else.
QDate date_iso(sqlite3_value* v) {
    if (sqlite3_value_type(v) != SQLITE_TEXT || sqlite3_value_bytes(v) != 10) return {};
    const auto* t = sqlite3_value_text(v);
    int chiffres[8], k = 0;
    for (int i = 0; i < 10; ++i) {
        if (i == 4 || i == 7) {
            if (t[i] != '-') return {};
        } else if (t[i] >= '0' && t[i] <= '9') {
            chiffres[k++] = t[i] - '0';
        } else {
            return {};
        }
    }
    return QDate(chiffres[0] * 1000 + chiffres[1] * 100 + chiffres[2] * 10 + chiffres[3], chiffres[4] * 10 + chiffres[5],
                 chiffres[6] * 10 + chiffres[7]);
}

void age_sqlite(sqlite3_context* c, int n, sqlite3_value** v) {
    if (const QDate naissance = date_iso(v[0]), jour = date_iso(v[1]); naissance.isValid() && jour.isValid()) {
        const int a = age(naissance, jour);
        if (a < 0) sqlite3_result_null(c); else sqlite3_result_int(c, a);
        return;
    }
    QVariant naissance;
    switch (sqlite3_value_type(v[0])) {
    case SQLITE_INTEGER: case SQLITE_FLOAT: naissance = sqlite3_value_double(v[0]); break;
    case SQLITE_TEXT:
        naissance = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v[0])),
                                      sqlite3_value_bytes(v[0]));
        break;
    default: sqlite3_result_null(c); return;
    }
    const QDate jour = QDate::fromString(
        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v[1]))), Qt::ISODate);
    const int a = age(naissance, jour);
    if (a < 0) sqlite3_result_null(c); else sqlite3_result_int(c, a);
}

}  // namespace

PNoeud analyser(const QString& texte) {
    if (texte.trimmed().isEmpty()) return nullptr;
    Lecteur l(texte, 0);
    Analyseur a(l);
    PNoeud n = a.ou();
    if (l.courant().genre != Jeton::Fin) {
        const Jeton& j = l.courant();
        refuser(QStringLiteral("« %1 » inattendu").arg(j.genre == Jeton::ParD ? QStringLiteral(")") : texte.mid(j.position, 10)), j.position);
    }
    return n;
}

PNoeud analyser_partiel(const QString& texte, int& depart) {
    Lecteur l(texte, depart);
    Analyseur a(l);
    PNoeud n = a.ou();
    depart = l.position();
    return n;
}

void tables(const PNoeud& n, QSet<QString>& resultat) {
    if (!n) return;
    if (n->genre == Noeud::Champ) resultat.insert(n->table);
    for (const auto& e : n->enfants) tables(e, resultat);
}

void champs(const PNoeud& n, QVector<const Noeud*>& resultat) {
    if (!n) return;
    if (n->genre == Noeud::Champ) resultat.append(n.get());
    for (const auto& e : n->enfants) champs(e, resultat);
}

QString canonique(const PNoeud& n) {
    if (!n) return {};
    switch (n->genre) {
    case Noeud::Champ: return QStringLiteral("{%1.%2}").arg(n->table, n->champ);
    case Noeud::Texte: return QLatin1Char('"') + QString(n->texte).replace('"', QLatin1String("\"\"")) + QLatin1Char('"');
    case Noeud::Nombre: return QString::number(n->nombre, 'g', 15);
    case Noeud::Booleen: return n->booleen ? QStringLiteral("True") : QStringLiteral("False");
    case Noeud::Age: return QStringLiteral("âge(%1)").arg(canonique(n->enfants[0]));
    case Noeud::Valeurs: return QStringLiteral("valeurs(%1)").arg(canonique(n->enfants[0]));
    case Noeud::De: return QStringLiteral("de(%1)").arg(canonique(n->enfants[0]));
    case Noeud::Joindre: {
        QStringList args;
        for (const auto& e : n->enfants) args << canonique(e);
        return QStringLiteral("joindre(%1)").arg(args.join(QStringLiteral(", ")));
    }
    case Noeud::Comparaison: return QStringLiteral("(%1 %2 %3)").arg(canonique(n->enfants[0]), n->texte, canonique(n->enfants[1]));
    case Noeud::Et: return QStringLiteral("(%1 AND %2)").arg(canonique(n->enfants[0]), canonique(n->enfants[1]));
    case Noeud::Ou: return QStringLiteral("(%1 OR %2)").arg(canonique(n->enfants[0]), canonique(n->enfants[1]));
    case Noeud::Non: return QStringLiteral("(NOT %1)").arg(canonique(n->enfants[0]));
    }
    return {};
}

QString en_sql(const PNoeud& n, const ContexteSql& ctx, QVariantList& p, bool condition) {
    switch (n->genre) {
    case Noeud::Champ: {
        const QString c = ctx.colonne(n->table, n->champ);
        return condition ? vrai_si_non_vide(c) : c;
    }
    case Noeud::Texte:
        p.append(n->texte);
        return condition ? vrai_si_non_vide(QStringLiteral("?")) : QStringLiteral("?");
    case Noeud::Nombre:
        if (n->nombre == qint64(n->nombre)) p.append(qint64(n->nombre)); else p.append(n->nombre);
        return condition ? vrai_si_non_vide(QStringLiteral("?")) : QStringLiteral("?");
    case Noeud::Booleen:
        return n->booleen ? QStringLiteral("1") : QStringLiteral("0");
    case Noeud::Valeurs: return en_sql(n->enfants[0], ctx, p, condition);
    case Noeud::Joindre: {
        // Each kept value brings its separator in front; the first separator is cut off.
        const auto separateur = [&] { return QStringLiteral("CAST(%1 AS TEXT)").arg(en_sql(n->enfants[0], ctx, p, false)); };
        QStringList morceaux;
        for (int i = 1; i < n->enfants.size(); ++i) {
            const QString sep = separateur();
            morceaux << QStringLiteral("COALESCE(%1 || NULLIF(TRIM(COALESCE(CAST(%2 AS TEXT),'')),''),'')")
                            .arg(sep, en_sql(n->enfants[i], ctx, p, false));
        }
        const QString v = QStringLiteral("SUBSTR(%1, LENGTH(%2) + 1)").arg(morceaux.join(QStringLiteral(" || ")), separateur());
        return condition ? vrai_si_non_vide(v) : v;
    }
    case Noeud::De: {
        const auto valeur = [&] { return QStringLiteral("NULLIF(TRIM(COALESCE(CAST(%1 AS TEXT),'')),'')").arg(en_sql(n->enfants[0], ctx, p, false)); };
        QString v = QStringLiteral("CASE WHEN %1 IS NULL THEN '' WHEN INSTR(?, SUBSTR(%2,1,1)) > 0 THEN 'd''' || %3 ELSE 'de ' || %4 END");
        const QString a = valeur();
        p.append(QStringLiteral("aeiouyhAEIOUYHàâäáãåéèêëíìîïóòôöõúùûüýÿÀÂÄÁÃÅÉÈÊËÍÌÎÏÓÒÔÖÕÚÙÛÜÝŸæœÆŒ"));
        const QString b = valeur(), c = valeur(), d = valeur();
        v = v.arg(a, b, c, d);
        return condition ? vrai_si_non_vide(v) : v;
    }
    case Noeud::Age: {
        const QString arg = en_sql(n->enfants[0], ctx, p, false);
        p.append(ctx.aujourdhui.toString(Qt::ISODate));
        const QString v = QStringLiteral("%1(%2,?)").arg(QLatin1String(FonctionAge), arg);
        return condition ? vrai_si_non_vide(v) : v;
    }
    case Noeud::Comparaison: {
        PNoeud a = n->enfants[0], b = n->enfants[1];
        QString op = n->texte;
        if (a->genre == Noeud::Booleen || a->genre == Noeud::Texte) { std::swap(a, b); op = inverse(op); }
        if (b->genre == Noeud::Booleen) {
            // Yes/no fields may hold 1 or -1 for yes: compare as "not zero".
            if (op != "=" && op != "<>") refuser(QStringLiteral("True et False se comparent avec = ou <>"), 0);
            const bool oui = b->booleen == (op == "=");
            const QString v = a->genre == Noeud::Booleen ? (a->booleen ? QStringLiteral("1") : QStringLiteral("0"))
                                                         : en_sql(a, ctx, p, false);
            return QStringLiteral("(COALESCE(%1,0) %2 0)").arg(v, oui ? QStringLiteral("<>") : QStringLiteral("="));
        }
        const QString ga = en_sql(a, ctx, p, false);
        const QString gb = en_sql(b, ctx, p, false);
        // Texts compare at the first level of the French order ("cl05" selects the class
        // "CL05"), keys as stored ("000042" selects neither "42" nor "00042"). An empty field
        // equals "" and differs from every other text.
        const auto cle = [](const PNoeud& x) { return x->genre == Noeud::Champ && db::dialecte::est_cle(x->champ); };
        const QString ordre = QStringLiteral(" COLLATE ") + (cle(a) || cle(b) ? QStringLiteral("BINARY")
                                                                               : QLatin1String(db::francais::collation_lettres));
        if (b->genre == Noeud::Texte && a->genre != Noeud::Texte)
            return QStringLiteral("(COALESCE(%1,'') %2 %3%4)").arg(ga, op, gb, ordre);
        return QStringLiteral("(%1 %2 %3%4)").arg(ga, op, gb, ordre);
    }
    case Noeud::Et: {
        // One after the other: the parameters must be bound in the order of the text.
        const QString a = en_sql(n->enfants[0], ctx, p, true);
        const QString b = en_sql(n->enfants[1], ctx, p, true);
        return QStringLiteral("(%1 AND %2)").arg(a, b);
    }
    case Noeud::Ou: {
        // One after the other: the parameters must be bound in the order of the text.
        const QString a = en_sql(n->enfants[0], ctx, p, true);
        const QString b = en_sql(n->enfants[1], ctx, p, true);
        return QStringLiteral("(%1 OR %2)").arg(a, b);
    }
    case Noeud::Non:
        return QStringLiteral("(NOT %1)").arg(en_sql(n->enfants[0], ctx, p, true));
    }
    return {};
}

QString nom_sql(const QString& nom) {
    return QLatin1Char('"') + QString(nom).replace('"', QLatin1String("\"\"")) + QLatin1Char('"');
}

void enregistrer_fonctions(::sqlite3* base) {
    sqlite3_create_function(base, FonctionAge, 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            age_sqlite, nullptr, nullptr);
}

int age(const QVariant& naissance, const QDate& jour) {
    QDate d;
    if (naissance.typeId() == QMetaType::QDate) d = naissance.toDate();
    else if (naissance.typeId() == QMetaType::Double || naissance.typeId() == QMetaType::LongLong ||
             naissance.typeId() == QMetaType::Int)
        d = QDate::fromJulianDay(qint64(naissance.toDouble() + 0.5));
    else {
        const QString t = naissance.toString().trimmed();
        d = QDate::fromString(t.left(10), Qt::ISODate);
        if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
        if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("d/M/yyyy"));
    }
    if (!d.isValid() || !jour.isValid() || d > jour) return d.isValid() && d > jour ? 0 : -1;
    int a = jour.year() - d.year();
    if (jour.month() < d.month() || (jour.month() == d.month() && jour.day() < d.day())) --a;
    return a;
}

}  // namespace report::formule
