// Times the database engine on a generated database of 10,000 pupils and 7,000 families:
// opening and refreshing the pupils in alphabetical order, MoveLast, a FindFirst that
// matches near the end, adding one pupil and compacting the file. Beside them, as floors,
// the same query through the sqlite3 command-line tool and a plain copy of the file.
// Prints the median of each and its ratio to its floor.
//   bench_moteur [runs] [generer_base]   (runs: 7 by default)
#include "platform/db/base_donnees.h"
#include "platform/db/controle_donnees.h"
#include "platform/erreur.h"

#include "outils_bench.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QString Source = QStringLiteral("SELECT * FROM élèves ORDER BY nom_élève ASC, prénom_élève ASC");

// Runs `preparer` then times `etape`, `fois` times; the median in milliseconds.
double chronometrer(int fois, const std::function<void()>& preparer, const std::function<void()>& etape) {
    QVector<double> durees;
    for (int i = 0; i < fois; ++i) {
        preparer();
        QElapsedTimer t;
        t.start();
        etape();
        durees << t.nsecsElapsed() / 1e6;
    }
    return bench::mediane(durees);
}

void afficher(const char* libelle, double ms, double plancher = 0) {
    if (plancher > 0)
        std::printf("%-44s %9.1f ms   (%.2f x le plancher)\n", libelle, ms, ms / plancher);
    else
        std::printf("%-44s %9.1f ms\n", libelle, ms);
}

bool executer(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(programme, arguments);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int fois = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 7;
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);

    QTemporaryDir dossier;
    const QString base = bench::generer_base(bench::generateur(argc, argv, modele), modele, dossier.path());
    if (base.isEmpty()) return 1;
    std::printf("Fichier : %.1f Mo, %d mesures par ligne (médianes)\n\n",
                QFileInfo(base).size() / 1e6, fois);

    try {
        QWidget fenetre;
        auto* controle = new db::ControleDonnees(&fenetre);
        auto* nom = new QLineEdit(&fenetre);
        controle->lier(nom, QStringLiteral("nom_élève"));

        const double ouverture = chronometrer(
            fois, [&] { controle->fermer(); },
            [&] {
                controle->setDatabaseName(base);
                controle->setRecordSource(Source);
                controle->Refresh();
            });
        const double relecture = chronometrer(fois, [] {}, [&] { controle->Refresh(); });
        const int lignes = controle->Recordset().RecordCount();

        const double dernier = chronometrer(
            fois, [&] { controle->Recordset().MoveFirst(); }, [&] { controle->Recordset().MoveLast(); });

        // A matricule five rows from the end of the alphabetical order.
        const QString cherche = controle->Recordset().valeurLigne(lignes - 5,
                                                                  controle->Recordset().indexChamp(QStringLiteral("matricule")))
                                    .toString();
        const QString critere = QStringLiteral("matricule = \"%1\"").arg(cherche);
        const double recherche = chronometrer(
            fois, [&] { controle->Recordset().MoveFirst(); }, [&] { controle->Recordset().FindFirst(critere); });
        if (controle->Recordset().NoMatch()) {
            std::fprintf(stderr, "la recherche de %s n'a rien trouvé\n", qPrintable(cherche));
            return 1;
        }

        int numero = 0;
        const double ajout = chronometrer(
            fois, [] {},
            [&] {
                controle->Recordset().AddNew();
                nom->setText(QStringLiteral("Zéphyrin-%1").arg(++numero));
                controle->UpdateRecord();
            });
        controle->fermer();

        int copie = 0;
        const double compactage = chronometrer(
            fois, [] {},
            [&] {
                db::moteur::CompactDatabase(base, QDir(dossier.path()).filePath(QStringLiteral("compacte%1.mdb").arg(++copie)));
            });

        const QString sql = QStringLiteral("SELECT * FROM \"élèves\" ORDER BY \"nom_élève\" ASC, \"prénom_élève\" ASC;");
        bool outilPresent = true;
        const double outil = chronometrer(
            fois, [] {}, [&] { outilPresent = executer(QStringLiteral("sqlite3"), {base, sql}) && outilPresent; });
        const double cp = chronometrer(
            fois, [] {},
            [&] { executer(QStringLiteral("cp"), {base, QDir(dossier.path()).filePath(QStringLiteral("copie.mdb"))}); });

        std::printf("Lignes lues : %d\n", lignes);
        afficher("Ouverture + Refresh (ordre alphabétique)", ouverture, outilPresent ? outil : 0);
        afficher("Refresh", relecture, outilPresent ? outil : 0);
        afficher("MoveLast", dernier);
        afficher("FindFirst près de la fin", recherche);
        afficher("AddNew + UpdateRecord d'un élève", ajout);
        afficher("CompactDatabase", compactage, cp);
        if (outilPresent) afficher("plancher : même requête par l'outil sqlite3", outil);
        else std::printf("plancher sqlite3 : outil absent\n");
        afficher("plancher : cp du fichier", cp);
    } catch (const Erreur& e) {
        std::fprintf(stderr, "Erreur %d : %s\n", e.numero, qPrintable(e.texte));
        return 1;
    }
    return 0;
}
