#pragma once
// What the engine's files share about SQLite: prepared statements that finalize themselves,
// the short write transaction, value binding and the mapping of SQLite failures to the
// engine's numbered errors. Not part of the layer's interface.
#include "platform/db/base_donnees.h"
#include <sqlite3.h>

namespace db::sqlite {

// Throws the engine error for an SQLite result code. The text names the file concerned:
// `chemin`, or the connection's file.
[[noreturn]] void lever(sqlite3* p, int rc, const QString& chemin = {});

class Instruction {
public:
    Instruction(sqlite3* p, const QString& sql);
    // A statement the connection keeps (BaseDonnees::preparee): reset, not finalized, at the
    // end, which releases its read of the file.
    Instruction(sqlite3* p, sqlite3_stmt* gardee);
    ~Instruction();
    Instruction(const Instruction&) = delete;
    Instruction& operator=(const Instruction&) = delete;

    void lier(const QVariantList& parametres);
    void lier(int index, const QVariant& valeur);  // 1-based
    // True while a row is available; throws on failure.
    bool pas();
    int colonnes() const;
    QVariant valeur(int colonne) const;  // as stored: qlonglong, double, QString, QByteArray, null
    qint64 entier(int colonne) const;
    sqlite3_stmt* s = nullptr;

private:
    sqlite3* p_;
    bool gardee_ = false;
};

// BEGIN IMMEDIATE at construction, ROLLBACK unless valider() ran. Taking the write lock at the
// start means a busy file is refused before anything is written.
class Transaction {
public:
    explicit Transaction(sqlite3* p);
    ~Transaction();
    void valider();

private:
    sqlite3* p_;
    bool ouverte_ = false;
};

void executer(sqlite3* p, const QString& sql);

// The field kind of a declared column type ("VARCHAR(30)", "DATE", "BOOLEAN"...).
DescriptionChamp decrire(const QString& nom, const QString& typeDeclare);

// A stored value as the layer gives it: dates as QDate, booleans as bool.
QVariant presenter(const QVariant& stocke, TypeChamp type);

// The native SQLite quoting of a name.
QString nom_sql(const QString& nom);

}  // namespace db::sqlite
