#pragma once
// Translation of the statements' dialect into SQLite: record sources, statements and find
// criteria as the windows write them.
#include <QString>
#include <QVector>
#include <QStringList>

namespace db::dialecte {

// A record source taken apart, each piece already in SQLite: the result set needs the table
// (to write back and to find by criterion) and the filter and order (to re-run them).
struct Source {
    QString table;         // as named, unquoted
    QStringList colonnes;  // empty for "*"
    QString filtre;        // the WHERE expression, "" when none
    QString ordre;         // the ORDER BY list, "" when none
    // The ORDER BY terms, when each names a column of the table (empty otherwise): the column,
    // whether it sorts in French order (a text) or by its bytes (a code), and its direction.
    struct Terme {
        QString champ;
        bool francais = false;
        bool descendant = false;
    };
    QVector<Terme> termes;
};
// Only "SELECT ... FROM table [WHERE ...] [ORDER BY ...]"; throws 3075 otherwise.
Source source(const QString& jet);

// "SELECT * FROM sexe WHERE détails LIKE \"a*\"" -> SQLite; "DELETE * FROM x" -> DELETE FROM;
// double-quoted constants become single-quoted literals (a doubled quote inside stays one
// quote), LIKE patterns with * ? # [..] become calls of the engine's pattern function,
// True/False become 1/0, names with accents are quoted. Throws 3075 on a malformed text.
QString instruction(const QString& jet);

// A find criterion ("matricule like '00*'", "nom_élève = \"D'Artagnan\"") -> SQLite
// expression. Throws 3077 on a malformed criterion.
QString critere(const QString& jet);

// Does `texte` match the dialect's LIKE pattern (case and accents of case ignored)?
bool correspond(const QString& texte, const QString& motif);

// A typed text used as a LIKE pattern: "*" and "?" stay wildcards, every other character
// ("#" and "[" included) stands for itself.
QString motif_tape(const QString& valeur);
// A text that a LIKE pattern takes as itself, every character ("*", "?", "#", "[" included)
// standing for itself: the beginning of a row typed into a list.
QString motif_litteral(const QString& valeur);

// Is the field a key (a pupil's matricule, a family's reference)? Wherever it is looked for, a
// key compares as stored: "000042" is neither "42" nor a pattern.
bool est_cle(const QString& champ);

// The criterion that finds the rows whose field holds exactly this stored value (a family's
// reference, a template's name): compared as stored, character for character, nothing in it
// read as a wildcard.
QString critere_cle(const QString& champ, const QString& valeur);

// Quoting for values placed inside criteria and record sources: the typed value comes out
// so that the statement finds it as typed and cannot be changed by it; * and ? stay wildcards.
QString entre_apostrophes(const QString& valeur);  // 'D''Artagnan'
QString entre_guillemets(const QString& valeur);   // "dit ""le grand"""

}  // namespace db::dialecte
