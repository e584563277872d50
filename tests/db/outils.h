#pragma once
// What the engine's tests share: fresh copies of the blank template, a second workstation
// on the same file, and the number of the error an action raises.
#include "commun/base_test.h"
#include "platform/db/base_donnees.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/erreur.h"
#include <QTest>
#include <sqlite3.h>

namespace essai {

// 0 when nothing was raised.
template <class F>
int erreur_de(F&& action) {
    try {
        action();
    } catch (const Erreur& e) {
        return e.numero;
    }
    return 0;
}

// Another workstation: a plain SQLite connection, outside the engine.
struct AutrePoste {
    sqlite3* p = nullptr;
    explicit AutrePoste(const QString& chemin) { sqlite3_open(chemin.toUtf8().constData(), &p); }
    ~AutrePoste() { sqlite3_close(p); }
    int executer(const QString& sql) { return sqlite3_exec(p, sql.toUtf8().constData(), nullptr, nullptr, nullptr); }
};

inline void ajouter_eleve(db::BaseDonnees& b, const QString& matricule, const QString& nom,
                          const QString& prenom = {}, const QVariant& naissance = {}) {
    b.requete(QStringLiteral("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"prénom_élève\", "
                             "\"date_naissance_élève\") VALUES (?, ?, ?, ?)"),
              {matricule, nom, prenom, naissance});
}

inline qlonglong compter(db::BaseDonnees& b, const QString& table, const QString& condition = QStringLiteral("1")) {
    return b.requete(QStringLiteral("SELECT count(*) FROM \"%1\" WHERE %2").arg(table, condition)).lignes[0][0].toLongLong();
}

}  // namespace essai

// One function per test class, run by the program's main.
int tester_dialecte(int argc, char** argv);
int tester_base(int argc, char** argv);
int tester_jeu(int argc, char** argv);
