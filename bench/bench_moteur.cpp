// Times the database engine on generated registers of 10,000 and 100,000 pupils: opening and
// refreshing the pupils in alphabetical order, sorting them again by name and by matricule,
// MoveLast, a FindFirst and a bookmark near the end of the order (each just after a Refresh,
// so with the position table to build), adding one pupil, compacting the file, and the memory
// that an open register holds. Beside them, as floors, the same queries through the sqlite3
// command-line tool (all fields, then the identities alone) and a plain copy of the file.
// Prints the median of each.
// Goals: the engine's opening, refreshing and sorting at most 3 times the tool reading the row ids
// in the same order, compacting at most 3 times cp + sync of the file, the other actions under 50 ms,
// at every size.
//   bench_moteur [--fois N] [--eleves N] [--generateur CHEMIN] [--essai]   (7 measures by default)
#include "platform/db/base_donnees.h"
#include "platform/forms/controle_donnees.h"
#include "platform/erreur.h"

#include "outils_bench.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using bench::chronometrer;
using bench::executer;

const QString ParNom = QStringLiteral("SELECT * FROM élèves ORDER BY nom_élève ASC, prénom_élève ASC");
const QString ParMatricule = QStringLiteral("SELECT * FROM élèves ORDER BY matricule ASC");

// A line of /proc/self/status in kilobytes ("VmRSS", "VmHWM"); 0 where there is none.
qint64 memoire(const char* cle) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& ligne : f.readAll().split('\n'))
        if (ligne.startsWith(cle)) return ligne.mid(qstrlen(cle) + 1).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

int mesurer(int fois, const QString& base, const QString& dossier, bench::Objectifs& objectifs) {
    std::printf("\n%s : %.1f Mo, %d mesures par ligne (médianes)\n", qPrintable(QFileInfo(base).fileName()),
                QFileInfo(base).size() / 1e6, fois);
    QWidget fenetre;
    auto* controle = new forms::ControleDonnees(&fenetre);
    auto* nom = new QLineEdit(&fenetre);
    controle->lier(nom, QStringLiteral("nom_élève"));

    const qint64 rssAvant = memoire("VmRSS");
    const double ouverture = chronometrer(
        fois, [&] { controle->fermer(); },
        [&] {
            controle->setDatabaseName(base);
            controle->setRecordSource(ParNom);
            controle->Refresh();
        });
    const qint64 rssOuvert = memoire("VmRSS");
    const double relecture = chronometrer(fois, [] {}, [&] { controle->Refresh(); });
    db::JeuEnregistrements& rs = controle->Recordset();
    const int lignes = rs.RecordCount();

    const double triMatricule = chronometrer(
        fois, [&] { controle->setRecordSource(ParNom); controle->Refresh(); },
        [&] { controle->setRecordSource(ParMatricule); controle->Refresh(); });
    const double triNom = chronometrer(
        fois, [&] { controle->setRecordSource(ParMatricule); controle->Refresh(); },
        [&] { controle->setRecordSource(ParNom); controle->Refresh(); });

    const double dernier = chronometrer(fois, [&] { rs.MoveFirst(); }, [&] { rs.MoveLast(); });

    // A matricule five rows from the end of the alphabetical order, and its bookmark.
    rs.setAbsolutePosition(lignes - 5);
    const QString cherche = rs.valeur(QStringLiteral("matricule")).toString();
    const QVariant signet = rs.Bookmark();
    const QString critere = QStringLiteral("matricule = \"%1\"").arg(cherche);
    const double recherche = chronometrer(fois, [&] { controle->Refresh(); }, [&] { rs.FindFirst(critere); });
    if (rs.NoMatch() || rs.AbsolutePosition() != lignes - 5) {
        std::fprintf(stderr, "la recherche de %s n'a pas trouvé sa ligne\n", qPrintable(cherche));
        return 1;
    }
    const double recherchePrefixe =
        chronometrer(fois, [&] { controle->Refresh(); }, [&] { rs.FindFirst(QStringLiteral("nom_élève like 'Z*'")); });
    const double marque = chronometrer(fois, [&] { controle->Refresh(); }, [&] { rs.setBookmark(signet); });
    if (rs.AbsolutePosition() != lignes - 5) {
        std::fprintf(stderr, "le signet n'a pas mené à sa ligne\n");
        return 1;
    }
    // Every row of a screenful of a grid, as it scrolls to the end.
    const double grille = chronometrer(fois, [&] { controle->Refresh(); }, [&] {
        for (int r = lignes - 30; r < lignes; ++r)
            for (int c = 0; c < rs.champs().size(); ++c) rs.valeurLigne(r, c);
    });

    int numero = 0;
    const double ajout = chronometrer(fois, [] {}, [&] {
        rs.AddNew();
        nom->setText(QStringLiteral("Zéphyrin-%1").arg(++numero));
        controle->UpdateRecord();
    });
    const qint64 rssFin = memoire("VmRSS");
    controle->fermer();

    int copie = 0;
    const double compactage = chronometrer(fois, bench::disque_au_repos, [&] {
        db::moteur::CompactDatabase(base, QDir(dossier).filePath(QStringLiteral("compacte%1-%2.mdb").arg(lignes).arg(++copie)));
    });

    bool outilPresent = true;
    const auto outil = [&](const QString& sql) {
        return chronometrer(fois, [] {}, [&] { outilPresent = executer(QStringLiteral("sqlite3"), {base, sql}) && outilPresent; });
    };
    const double outilNom = outil(QStringLiteral("SELECT * FROM \"élèves\" ORDER BY \"nom_élève\", \"prénom_élève\";"));
    const double outilIds = outil(QStringLiteral("SELECT rowid FROM \"élèves\" ORDER BY \"nom_élève\", \"prénom_élève\";"));
    const double outilMatricule = outil(QStringLiteral("SELECT rowid FROM \"élèves\" ORDER BY matricule;"));
    const QString fichierCopie = QDir(dossier).filePath(QStringLiteral("copie.mdb"));
    const double cp = chronometrer(fois, [] {}, [&] { executer(QStringLiteral("cp"), {base, fichierCopie}); });
    // The compacted copy is forced to disk before it takes its name: its floor is a copy forced too.
    const double cpSync = chronometrer(fois, bench::disque_au_repos, [&] {
        executer(QStringLiteral("cp"), {base, fichierCopie});
        executer(QStringLiteral("sync"), {QStringLiteral("-d"), fichierCopie});
    });
    const double plancher = outilPresent ? outilIds : 0;

    std::printf("  Lignes lues : %d\n", lignes);
    if (!outilPresent) {
        std::fprintf(stderr, "outil sqlite3 absent\n");
        return 1;
    }
    objectifs.mesure(QStringLiteral("plancher : sqlite3, tous les champs (nom)"), outilNom);
    objectifs.rapport(QStringLiteral("Ouverture + Refresh (nom, prénom) / sqlite3 identités"), ouverture, plancher, 3);
    objectifs.rapport(QStringLiteral("Refresh (nom, prénom) / sqlite3 identités"), relecture, plancher, 3);
    objectifs.rapport(QStringLiteral("Nouveau tri : matricule / sqlite3 identités"), triMatricule, outilMatricule, 3);
    objectifs.rapport(QStringLiteral("Nouveau tri : nom, prénom / sqlite3 identités"), triNom, plancher, 3);
    objectifs.action(QStringLiteral("MoveLast"), dernier);
    objectifs.action(QStringLiteral("FindFirst d'un matricule près de la fin"), recherche);
    objectifs.action(QStringLiteral("FindFirst nom_élève like 'Z*'"), recherchePrefixe);
    objectifs.action(QStringLiteral("Bookmark près de la fin"), marque);
    objectifs.action(QStringLiteral("30 lignes x tous les champs (grille)"), grille);
    objectifs.action(QStringLiteral("AddNew + UpdateRecord d'un élève"), ajout);
    // The engine's compaction alone; the user's, through the database-file window, is in bench_fichiers.
    objectifs.mesure(QStringLiteral("plancher : cp du fichier"), cp);
    objectifs.mesure(QStringLiteral("plancher : cp + sync du fichier"), cpSync);
    objectifs.rapport(QStringLiteral("CompactDatabase / cp + sync"), compactage, cpSync, 3);
    std::printf("  Mémoire : +%.1f Mo à l'ouverture, +%.1f Mo après toutes les mesures ; pic du processus %.1f Mo\n",
                (rssOuvert - rssAvant) / 1024.0, (rssFin - rssAvant) / 1024.0, memoire("VmHWM") / 1024.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);
    const bench::Options o = bench::lire_options(argc, argv, 7, modele);
    bench::Objectifs objectifs(o.essai);

    QTemporaryDir dossier;
    try {
        const QString base = bench::generer_base(o, modele, dossier.path());
        if (base.isEmpty() || mesurer(o.fois, base, dossier.path(), objectifs) != 0) return 1;
    } catch (const Erreur& e) {
        std::fprintf(stderr, "Erreur %d : %s\n", e.numero, qPrintable(e.texte));
        return 1;
    }
    return objectifs.fin();
}
