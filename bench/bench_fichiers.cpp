// What the head teacher waits for at the chooser's file buttons, on a generated database, beside
// a plain "cp" of the same file (with and without forcing it to disk, since every copy the
// program makes is forced to disk before it takes its name), and the check of a database for
// damage at its opening beside the sqlite3 tool's own. Goals: compacting, backing up and
// restoring at most 3 times cp + sync, the windows never over 100 ms without answering
// meanwhile; the check at most 3 times the tool's.
//   bench_fichiers [--fois N] [--eleves N] [--generateur CHEMIN] [--essai]   (5 measures by default)
#include "outils_bench.h"
#include "shell/enregistrement_shell.h"
#include "shell/feuille_chemin.h"
#include "partage/module1.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/listes_fichiers.h"
#include "programme/demarrage.h"
#include "platform/registry/registre.h"
#include "platform/db/base_donnees.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>

namespace {

double chronometrer(int fois, const std::function<void()>& etape) {
    QVector<double> durees;
    for (int i = 0; i < fois; ++i) {
        bench::disque_au_repos();
        QElapsedTimer t;
        t.start();
        etape();
        durees << t.nsecsElapsed() / 1e6;
    }
    return bench::mediane(durees);
}

bool executer(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.start(programme, arguments);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

forms::Feuille& choix() { return forms::Feuilles::charger(QStringLiteral("feuille_choix_base")); }

void cliquer(forms::Feuille& f, const char* bouton) { f.controle<QPushButton>(QString::fromUtf8(bouton))->click(); }

// Every operation must end on its success message.
bool reussi(forms::RepondeurScripte& boites) {
    if (boites.derniere().style == 64) return true;
    std::fprintf(stderr, "échec : %s\n", qPrintable(boites.derniere().texte));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);
    const bench::Options o = bench::lire_options(argc, argv, 5, modele);
    const int fois = o.fois;
    QTemporaryDir dossier;
    const QString base = bench::generer_base(o, modele, dossier.path());
    if (base.isEmpty()) return 1;
    const QString cle = dossier.filePath(QStringLiteral("clé"));
    QDir().mkdir(cle);
    QDir::setCurrent(dossier.path());
    // The folder of the last backup is remembered in the key store: a store of the benchmark's own.
    registre::definir_fichier(dossier.filePath(QStringLiteral("registre")));

    forms::definir_titre_application(QStringLiteral("Carnelis v2"));
    programme::enregistrer_tables();
    enregistrer_feuilles_shell();
    auto& boites = forms::installer_repondeur_scripte();
    auto selectionner = [&] {
        auto* liste = choix().controle<forms::ListeFichiers>(QStringLiteral("File1"));
        liste->Refresh();
        liste->setListIndex(liste->row(liste->findItems(QFileInfo(base).fileName(), Qt::MatchExactly).first()));
    };
    selectionner();

    const QString copie = dossier.filePath(QStringLiteral("copie.mdb"));
    const double cp = chronometrer(fois, [&] { executer(QStringLiteral("cp"), {base, copie}); });
    const double cpSync = chronometrer(fois, [&] {
        executer(QStringLiteral("cp"), {base, copie});
        executer(QStringLiteral("sync"), {QStringLiteral("-d"), copie});
    });

    bool ok = true;
    const bench::Duree compactage = bench::chronometrer_gel(fois, bench::disque_au_repos, [&] {
        cliquer(choix(), "Command2");
        ok = reussi(boites) && ok;
    });
    auto& chemin = forms::Feuilles::charger(QStringLiteral("feuille_chemin"));
    auto accepter = [&] {
        chemin.controle<forms::ListeDossiers>(QStringLiteral("Dir1"))->setPath(cle);
        cliquer(chemin, "cmdUpdate");
        ok = reussi(boites) && ok;
    };
    selectionner();
    // The backup asks before replacing the one written before.
    const bench::Duree sauvegarde = bench::chronometrer_gel(
        fois, [&] { bench::disque_au_repos(); cliquer(choix(), "Command4"); },
        [&] {
            if (QFile::exists(cle + QStringLiteral("/sauvegarde.mdb"))) boites.repondre(forms::Oui);
            accepter();
        });
    const bench::Duree restauration =
        bench::chronometrer_gel(fois, [&] { bench::disque_au_repos(); cliquer(choix(), "Command5"); }, [&] { accepter(); });
    if (!ok) return 1;

    // Opening a database checks it for damage (SQLite's quick check), beside the tool's own check.
    bool saine = true;
    const double verification = chronometrer(fois, [&] { saine = !db::moteur::endommagee(base) && saine; });
    const double verificationOutil =
        chronometrer(fois, [&] { executer(QStringLiteral("sqlite3"), {base, QStringLiteral("PRAGMA quick_check;")}); });
    if (!saine) return 1;

    std::printf("  Fichier : %.1f Mo, médiane de %d mesures\n", QFileInfo(base).size() / 1048576.0, fois);
    bench::Objectifs objectifs(o.essai);
    objectifs.mesure(QStringLiteral("plancher : cp"), cp);
    objectifs.mesure(QStringLiteral("plancher : cp + sync du fichier"), cpSync);
    objectifs.rapport(QStringLiteral("Compacter / cp + sync"), compactage.ms, cpSync, 3);
    objectifs.gel(QStringLiteral("  fenêtres sans réponse au plus"), compactage.gel);
    objectifs.rapport(QStringLiteral("Sauvegarder / cp + sync"), sauvegarde.ms, cpSync, 3);
    objectifs.gel(QStringLiteral("  fenêtres sans réponse au plus"), sauvegarde.gel);
    objectifs.rapport(QStringLiteral("Restaurer / cp + sync"), restauration.ms, cpSync, 3);
    objectifs.gel(QStringLiteral("  fenêtres sans réponse au plus"), restauration.gel);
    objectifs.rapport(QStringLiteral("Vérification à l'ouverture / sqlite3 quick_check"), verification, verificationOutil, 3);
    forms::Feuilles::toutDecharger();
    return objectifs.fin();
}
