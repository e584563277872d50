#pragma once
// Fast writing into an SQLite file: one prepared statement per table, reused for every row.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <sqlite3.h>
#include <stdexcept>

// A failed write of the generator: its text is shown to the user.
struct EchecEcriture : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline void executer(sqlite3* base, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(base, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string texte = message ? message : "erreur inconnue";
        sqlite3_free(message);
        throw EchecEcriture(texte);
    }
}

// INSERT INTO table (champs...) VALUES (?...). A null QVariant writes NULL, a bool or an
// int an integer, anything else its text.
class Insertion {
public:
    Insertion(sqlite3* base, const QString& table, const QStringList& champs) : base_(base) {
        QStringList noms, marques;
        for (const QString& c : champs) {
            noms << '"' + c + '"';
            marques << "?";
        }
        const QByteArray sql = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                   .arg(table, noms.join(", "), marques.join(", "))
                                   .toUtf8();
        if (sqlite3_prepare_v2(base, sql.constData(), -1, &instruction_, nullptr) != SQLITE_OK)
            throw EchecEcriture(sqlite3_errmsg(base));
        nombre_ = champs.size();
    }
    ~Insertion() { sqlite3_finalize(instruction_); }
    Insertion(const Insertion&) = delete;
    Insertion& operator=(const Insertion&) = delete;

    void ecrire(const QVariantList& valeurs) {
        if (valeurs.size() != nombre_) throw EchecEcriture("nombre de valeurs incorrect");
        sqlite3_reset(instruction_);
        for (int i = 0; i < nombre_; ++i) {
            const QVariant& v = valeurs[i];
            const int rang = i + 1;
            if (v.isNull()) {
                sqlite3_bind_null(instruction_, rang);
            } else if (v.typeId() == QMetaType::Bool || v.typeId() == QMetaType::Int) {
                sqlite3_bind_int(instruction_, rang, v.toInt());
            } else {
                const QByteArray texte = v.toString().toUtf8();
                sqlite3_bind_text(instruction_, rang, texte.constData(), texte.size(), SQLITE_TRANSIENT);
            }
        }
        if (sqlite3_step(instruction_) != SQLITE_DONE) throw EchecEcriture(sqlite3_errmsg(base_));
    }

private:
    sqlite3* base_;
    sqlite3_stmt* instruction_ = nullptr;
    int nombre_ = 0;
};
