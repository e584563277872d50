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
    // A text column's bytes as stored, when they are no valid UTF-8 (empty otherwise): its
    // QString holds U+FFFD in their place, so that only these bytes name the stored value.
    QByteArray octetsInexacts(int colonne) const;
    // Binds a text given by its UTF-8 bytes, as they are.
    void lierTexte(int index, const QByteArray& octets);
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

// A text from SQLite's UTF-8 bytes, character for character: a leading U+FEFF is a character of
// the text (which a plain UTF-8 decoding drops as a byte-order mark).
QString texte(const char* octets, int n);

// The native SQLite quoting of a name.
QString nom_sql(const QString& nom);

}  // namespace db::sqlite
