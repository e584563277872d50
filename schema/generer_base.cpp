// Builds the blank template from its SQL text, and generates demonstration databases.
// (First version: template only; the generator of pupils and families comes next.)
#include <QFile>
#include <QTextStream>
#include <QCoreApplication>
#include <sqlite3.h>
#include <cstdio>

static int modele(const char* sql, const char* cible) {
    QFile f(QString::fromUtf8(sql));
    if (!f.open(QIODevice::ReadOnly)) { std::fprintf(stderr, "lecture impossible : %s\n", sql); return 1; }
    QByteArray texte = f.readAll();
    sqlite3* b = nullptr;
    if (sqlite3_open(cible, &b) != SQLITE_OK) return 1;
    char* err = nullptr;
    if (sqlite3_exec(b, texte.constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", err); sqlite3_free(err); sqlite3_close(b); return 1;
    }
    sqlite3_close(b);
    return 0;
}

int main(int argc, char** argv) {
    if (argc >= 4 && QByteArray(argv[1]) == "modele") return modele(argv[2], argv[3]);
    if (argc >= 4 && QByteArray(argv[1]) == "exemple") return QFile::copy(argv[2], argv[3]) ? 0 : 1;
    std::fprintf(stderr, "usage: generer_base modele SQL CIBLE | exemple MODELE CIBLE [--eleves N] [--graine S]\n");
    return 2;
}
