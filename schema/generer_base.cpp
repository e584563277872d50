// Builds the blank template from its SQL text, and generates demonstration databases:
//   generer_base modele SQL CIBLE
//   generer_base exemple MODELE CIBLE [--eleves N] [--familles M] [--graine S]
#include "ecriture.h"
#include "exemple.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

namespace {

const char* const usage =
    "usage : generer_base modele SQL CIBLE\n"
    "        generer_base exemple MODELE CIBLE [--eleves N] [--familles M] [--graine S]\n";

// The template is written in one go; a failure leaves no file behind.
void modele(const QString& sql, const QString& cible) {
    QFile f(sql);
    if (!f.open(QIODevice::ReadOnly)) throw EchecEcriture(("lecture impossible : " + sql).toStdString());
    const QByteArray texte = f.readAll();
    if (QFile::exists(cible)) throw EchecEcriture(("le fichier existe déjà : " + cible).toStdString());
    sqlite3* base = nullptr;
    try {
        if (sqlite3_open(cible.toUtf8().constData(), &base) != SQLITE_OK) throw EchecEcriture(sqlite3_errmsg(base));
        executer(base, texte.constData());
        if (sqlite3_close(base) != SQLITE_OK) throw EchecEcriture(sqlite3_errmsg(base));
    } catch (...) {
        sqlite3_close(base);
        QFile::remove(cible);
        throw;
    }
}

// A whole number given after an option; anything else is refused rather than read as 0.
qulonglong nombre(const QStringList& args, int& i) {
    bool ok = false;
    const qulonglong n = i + 1 < args.size() ? args[i + 1].toULongLong(&ok) : 0;
    if (!ok) throw EchecEcriture(("nombre attendu après " + args[i]).toStdString());
    ++i;
    return n;
}

exemple::Parametres options(const QStringList& args) {
    exemple::Parametres p;
    bool familles = false;
    for (int i = 4; i < args.size(); ++i) {
        if (args[i] == "--eleves") p.eleves = static_cast<int>(std::min<qulonglong>(nombre(args, i), 10000000));
        else if (args[i] == "--familles") { p.familles = static_cast<int>(std::min<qulonglong>(nombre(args, i), 10000000)); familles = true; }
        else if (args[i] == "--graine") p.graine = nombre(args, i);
        else throw EchecEcriture(("option inconnue : " + args[i]).toStdString());
    }
    if (!familles) p.familles = exemple::familles_par_defaut(p.eleves);
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString commande = args.value(1);
    if (args.size() < 4 || (commande != "modele" && commande != "exemple") || (commande == "modele" && args.size() != 4)) {
        std::fputs(usage, stderr);
        return 2;
    }
    try {
        if (commande == "modele") modele(args[2], args[3]);
        else exemple::generer(args[2], args[3], options(args));
    } catch (const EchecEcriture& e) {
        std::fprintf(stderr, "generer_base : %s\n", e.what());
        return 1;
    }
    return 0;
}
