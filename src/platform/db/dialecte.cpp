#include "platform/db/dialecte.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/db/francais.h"
#include "platform/db/motif.h"
#include "platform/db/sqlite_outils.h"
#include "platform/texte/constantes.h"

namespace db::dialecte {

bool est_cle(const QString& champ) {
    return champ.compare(QLatin1String("matricule"), Qt::CaseInsensitive) == 0 ||
           champ.compare(QStringLiteral("référence_famille"), Qt::CaseInsensitive) == 0;
}

namespace {

struct Jeton {
    enum Genre { Nom, Texte, Nombre, Symbole, Fin } genre = Fin;
    QString texte;
    bool entreCrochets = false;  // [nom]: never a keyword
    qsizetype position = 0;
};

// One pass over the text: names (accents allowed, or between brackets), text constants
// between single or double quotes (a doubled quote inside stands for one), numbers, symbols.
class Lecteur {
public:
    Lecteur(const QString& t, int numeroErreur) : t_(t), numero_(numeroErreur) {}

    QVector<Jeton> jetons() {
        QVector<Jeton> r;
        qsizetype i = 0;
        const qsizetype n = t_.size();
        while (true) {
            while (i < n && t_[i].isSpace()) ++i;
            Jeton j;
            j.position = i;
            if (i >= n) { r.append(j); return r; }
            const QChar c = t_[i];
            if (c.isLetter() || c == u'_') {
                qsizetype f = i;
                while (f < n && (t_[f].isLetterOrNumber() || t_[f] == u'_' || t_[f].isMark())) ++f;
                j.genre = Jeton::Nom;
                j.texte = t_.mid(i, f - i);
                i = f;
            } else if (c == u'[') {
                const qsizetype f = t_.indexOf(u']', i + 1);
                if (f < 0 || f == i + 1) refuser(i);
                j.genre = Jeton::Nom;
                j.entreCrochets = true;
                j.texte = t_.mid(i + 1, f - i - 1);
                i = f + 1;
            } else if (c == u'\'' || c == u'"') {
                const qsizetype f = constantes::lire_texte(t_, i, j.texte);
                if (f < 0) refuser(i);  // unclosed constant
                j.genre = Jeton::Texte;
                i = f;
            } else if (c.isDigit()) {
                // Commas separate the items of lists here: "3,5" is 3 then 5.
                j.genre = Jeton::Nombre;
                i = constantes::lire_nombre(t_, i, false, j.texte);
            } else {
                static const QStringList doubles = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">=")};
                const QString deux = t_.mid(i, 2);
                j.genre = Jeton::Symbole;
                if (doubles.contains(deux)) {
                    j.texte = deux;
                    i += 2;
                } else if (QStringLiteral("=<>(),*;.-").contains(c)) {
                    j.texte = c;
                    ++i;
                } else {
                    refuser(i);
                }
            }
            r.append(j);
        }
    }

    [[noreturn]] void refuser(qsizetype position) const {
        lever(numero_, QStringLiteral(" « %1 »").arg(t_.mid(position, 40)));
    }

private:
    const QString& t_;
    int numero_;
};

// Codes made of digits ("000042") and dates (stored AAAA-MM-JJ) sort the same in byte order
// and in French order: sorted without the collation, they are compared faster, and codes are
// read in the order of their index instead of sorted.
bool est_code(const QString& champ) {
    static const QStringList dates = {QStringLiteral("date_naissance_élève"), QStringLiteral("date_inscription_élève"),
                                      QStringLiteral("date_radiation_élève")};
    return est_cle(champ) || dates.contains(champ, Qt::CaseInsensitive);
}

// Parentheses and NOTs nested deeper than any criterion a window writes are a syntax error,
// before the recursion of the translator runs out of stack.
constexpr int ProfondeurMaximale = 200;

class Traducteur {
public:
    Traducteur(const QString& t, int numeroErreur) : lecteur_(t, numeroErreur) {
        j_ = lecteur_.jetons();
    }

    QString instruction() {
        QString r;
        if (motCle("SELECT")) {
            const Source s = selection();
            r = QStringLiteral("SELECT ") + (s.colonnes.isEmpty() ? QStringLiteral("*") : noms(s.colonnes))
                + QStringLiteral(" FROM ") + sqlite::nom_sql(s.table);
            if (!s.filtre.isEmpty()) r += QStringLiteral(" WHERE ") + s.filtre;
            if (!s.ordre.isEmpty()) r += QStringLiteral(" ORDER BY ") + s.ordre;
            return r;
        }
        if (motCle("DELETE")) {
            symbole("*");  // "DELETE * FROM": the star names nothing in SQLite
            attendreMotCle("FROM");
            r = QStringLiteral("DELETE FROM ") + sqlite::nom_sql(nom());
            if (motCle("WHERE")) r += QStringLiteral(" WHERE ") + expression();
        } else if (motCle("UPDATE")) {
            r = QStringLiteral("UPDATE ") + sqlite::nom_sql(nom()) + QStringLiteral(" SET ");
            attendreMotCle("SET");
            do {
                r += nomQualifie();
                attendreSymbole("=");
                r += QStringLiteral(" = ") + operande();
                if (courant().genre == Jeton::Symbole && courant().texte == QLatin1String(",")) r += QStringLiteral(", ");
            } while (symbole(","));
            if (motCle("WHERE")) r += QStringLiteral(" WHERE ") + expression();
        } else {
            refuser();
        }
        terminer();
        return r;
    }

    Source selection() {
        Source s;
        if (!symbole("*")) {
            do s.colonnes.append(nom()); while (symbole(","));
        }
        attendreMotCle("FROM");
        s.table = nom();
        if (motCle("WHERE")) s.filtre = expression();
        if (motCle("ORDER")) {
            attendreMotCle("BY");
            QStringList termes;
            bool colonnes = true;
            do {
                QString champ = nom();
                QString terme = sqlite::nom_sql(champ);
                while (symbole(".")) {
                    champ = nom();
                    terme += QLatin1Char('.') + sqlite::nom_sql(champ);
                    colonnes = false;
                }
                Source::Terme t{champ, !est_code(champ), false};
                if (t.francais) terme += QStringLiteral(" COLLATE ") + QLatin1String(francais::collation);
                if (motCle("DESC")) {
                    terme += QStringLiteral(" DESC");
                    t.descendant = true;
                } else if (motCle("ASC")) {
                    terme += QStringLiteral(" ASC");
                }
                termes.append(terme);
                s.termes.append(t);
            } while (symbole(","));
            s.ordre = termes.join(QStringLiteral(", "));
            if (!colonnes) s.termes.clear();
        }
        terminer();
        return s;
    }

    Source source() {
        attendreMotCle("SELECT");
        return selection();
    }

    QString critere() {
        const QString r = expression();
        terminer();
        return r;
    }

private:
    const Jeton& courant() const { return j_[i_]; }

    [[noreturn]] void refuser() const { lecteur_.refuser(courant().position); }

    bool estMotCle(const char* mot) const {
        const Jeton& j = courant();
        return j.genre == Jeton::Nom && !j.entreCrochets && j.texte.compare(QLatin1String(mot), Qt::CaseInsensitive) == 0;
    }
    bool motCle(const char* mot) {
        if (!estMotCle(mot)) return false;
        ++i_;
        return true;
    }
    void attendreMotCle(const char* mot) { if (!motCle(mot)) refuser(); }
    bool symbole(const char* s) {
        if (courant().genre != Jeton::Symbole || courant().texte != QLatin1String(s)) return false;
        ++i_;
        return true;
    }
    void attendreSymbole(const char* s) { if (!symbole(s)) refuser(); }
    void terminer() {
        symbole(";");
        if (courant().genre != Jeton::Fin) refuser();
    }

    bool reserve() const {
        static const char* mots[] = {"SELECT", "FROM", "WHERE", "ORDER", "BY", "AND", "OR", "NOT", "LIKE",
                                     "IS", "NULL", "ASC", "DESC", "DELETE", "UPDATE", "SET"};
        for (const char* m : mots)
            if (estMotCle(m)) return true;
        return false;
    }

    QString nom() {
        if (courant().genre != Jeton::Nom || reserve()) refuser();
        return j_[i_++].texte;
    }
    QString nomQualifie() {
        QString r = sqlite::nom_sql(nom());
        while (symbole(".")) r += QLatin1Char('.') + sqlite::nom_sql(nom());
        return r;
    }
    static QString noms(const QStringList& l) {
        QStringList r;
        for (const QString& n : l) r.append(sqlite::nom_sql(n));
        return r.join(QStringLiteral(", "));
    }

    QString expression() {
        QString r = conjonction();
        while (motCle("OR")) r += QStringLiteral(" OR ") + conjonction();
        return r;
    }
    QString conjonction() {
        QString r = negation();
        while (motCle("AND")) r += QStringLiteral(" AND ") + negation();
        return r;
    }
    QString negation() {
        if (motCle("NOT")) {
            const Profondeur garde(*this);
            return QStringLiteral("NOT ") + negation();
        }
        return comparaison();
    }
    QString comparaison() {
        const QString gauche = operande();
        static const char* operateurs[] = {"=", "<>", "<=", ">=", "<", ">"};
        for (const char* op : operateurs)
            if (symbole(op)) return gauche + QLatin1Char(' ') + QLatin1String(op) + QLatin1Char(' ') + operande();
        const bool non = motCle("NOT");
        if (motCle("LIKE")) {
            const QString m = operande();
            return (non ? QStringLiteral("NOT ") : QString()) + QLatin1String(francais::fonction_motif)
                   + QLatin1Char('(') + gauche + QStringLiteral(", ") + m + QLatin1Char(')');
        }
        if (non) refuser();
        if (motCle("IS")) {
            const bool pas = motCle("NOT");
            attendreMotCle("NULL");
            return gauche + (pas ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL"));
        }
        return gauche;
    }
    QString operande() {
        const Jeton& j = courant();
        if (symbole("(")) {
            const Profondeur garde(*this);
            const QString r = expression();
            attendreSymbole(")");
            return QLatin1Char('(') + r + QLatin1Char(')');
        }
        if (symbole("-")) {
            if (courant().genre != Jeton::Nombre) refuser();
            return QLatin1Char('-') + j_[i_++].texte;
        }
        if (j.genre == Jeton::Texte) {
            ++i_;
            return litteral(j.texte);
        }
        if (j.genre == Jeton::Nombre) {
            ++i_;
            return j.texte;
        }
        if (motCle("TRUE")) return QStringLiteral("1");
        if (motCle("FALSE")) return QStringLiteral("0");
        if (motCle("NULL")) return QStringLiteral("NULL");
        return nomQualifie();
    }
    static QString litteral(const QString& v) {
        QString t = v;
        t.replace(QLatin1Char('\''), QLatin1String("''"));
        return QLatin1Char('\'') + t + QLatin1Char('\'');
    }

    struct Profondeur {
        Traducteur& t;
        explicit Profondeur(Traducteur& tr) : t(tr) {
            if (++t.profondeur_ > ProfondeurMaximale) t.refuser();
        }
        ~Profondeur() { --t.profondeur_; }
    };

    Lecteur lecteur_;
    QVector<Jeton> j_;
    qsizetype i_ = 0;
    int profondeur_ = 0;
};

}  // namespace

QString instruction(const QString& jet) { return Traducteur(jet, erreurs::SyntaxeRequete).instruction(); }

Source source(const QString& jet) {
    Traducteur t(jet, erreurs::SyntaxeRequete);
    return t.source();
}

QString critere(const QString& jet) { return Traducteur(jet, erreurs::SyntaxeCritere).critere(); }

bool correspond(const QString& texte, const QString& m) {
    return motif::correspond(motif::compiler_jet(m), motif::preparer(texte));
}

namespace {
// Each of `speciaux` put between brackets, where a pattern takes it as itself.
QString entre_crochets(const QString& valeur, QLatin1String speciaux) {
    QString m;
    m.reserve(valeur.size());
    for (const QChar c : valeur) {
        if (speciaux.contains(c)) m += QLatin1Char('[') + QString(c) + QLatin1Char(']');
        else m += c;
    }
    return m;
}
}  // namespace

QString motif_tape(const QString& valeur) { return entre_crochets(valeur, QLatin1String("#[")); }

QString motif_litteral(const QString& valeur) { return entre_crochets(valeur, QLatin1String("#[*?")); }

// "=" compares a text column as stored (the key columns have no collation of their own).
QString critere_cle(const QString& champ, const QString& valeur) {
    return champ + QStringLiteral(" = ") + entre_guillemets(valeur);
}

// The engine cannot carry a NUL inside a statement: it is left out of a value.
QString entre_apostrophes(const QString& valeur) {
    QString v = valeur;
    v.remove(QChar(0));
    v.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

QString entre_guillemets(const QString& valeur) {
    QString v = valeur;
    v.remove(QChar(0));
    v.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + v + QLatin1Char('"');
}

}  // namespace db::dialecte
