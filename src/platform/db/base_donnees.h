#pragma once
// One open database file (".mdb": an SQLite file) and the engine object that opens and
// compacts files. Statements given to Execute are in the windows' dialect and go
// through the translator; requete() takes native SQLite with bound parameters.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QHash>
#include <QVector>
#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

enum class TypeChamp { Texte, Entier, Reel, Booleen, Date, Memo };

struct DescriptionChamp {
    QString nom;
    TypeChamp type = TypeChamp::Texte;
    int longueurMax = 0;  // 0: no limit declared
};

struct ResultatRequete {
    QStringList champs;
    QVector<QVector<QVariant>> lignes;  // dates as QDate, booleans as bool
};

class BaseDonnees {
public:
    // Opens an existing file; refuses a missing file (3024) and a file that is not a
    // database (3343). Every connection: rollback journal, busy timeout, the French collation,
    // a LIKE that ignores accents and case, foreign keys off.
    static std::shared_ptr<BaseDonnees> ouvrir(const QString& chemin);
    // Asked with the path before every connection is opened; it may throw to refuse the file
    // (a working database replaced under its name by a file whose access code was not given).
    static void definirControleOuverture(std::function<void(const QString& chemin)> controle);
    ~BaseDonnees();

    QString chemin() const;
    bool ouverte() const;
    // Has the file under chemin() been replaced, moved or deleted since it was opened? The
    // connection then still reads the old file and can no longer write.
    bool fichierRemplace() const;

    // A statement of the windows' dialect ("DELETE * FROM élèves", "UPDATE ..."), in its own
    // transaction. A locked file gives 3218, nothing half-written.
    void Execute(const QString& instruction);
    // Releases the file; later use gives 3420.
    void Close();

    // Native SQLite, parameters bound in order; dates come back as QDate for DATE columns.
    ResultatRequete requete(const QString& sql, const QVariantList& parametres = {});
    // The same rows given one by one as they are read, none held: `ligne` may keep (move) the
    // row it is given.
    void parcourir(const QString& sql, const QVariantList& parametres,
                   const std::function<void(QVector<QVariant>& ligne)>& ligne, QStringList* champs = nullptr);
    // The fields of a table in their declared order.
    QVector<DescriptionChamp> champs(const QString& table);
    QStringList tables();

    sqlite3* poignee();
    // A statement of native SQLite prepared once and kept until Close, reset and cleared of
    // its parameters: for statements run again and again (a result set reading its rows).
    // Close finalizes them, so that closing really releases the file.
    sqlite3_stmt* preparee(const QString& sql);

    // Milliseconds a statement waits for another workstation's lock before 3218.
    static void definirDelaiVerrou(int millisecondes);
    static int delaiVerrou();

private:
    explicit BaseDonnees(const QString& chemin, sqlite3* p);
    QString chemin_;
    sqlite3* p_ = nullptr;
    QHash<QString, sqlite3_stmt*> preparees_;
};

// The engine's operations that need no open database.
namespace moteur {
std::shared_ptr<BaseDonnees> OpenDatabase(const QString& chemin);
// A compacted copy of the closed source under the target name; refuses an existing target
// (3204) and a missing source (3024).
void CompactDatabase(const QString& source, const QString& cible);
// Does the database file hold damaged pages? SQLite's quick check reads every page of its
// tables and indexes once (about a quarter of a second for 100,000 pupils). A file that cannot
// be read now (locked by another workstation) is not called damaged.
bool endommagee(const QString& chemin);
}

}  // namespace db
