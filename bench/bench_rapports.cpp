// Times the reports of a large register through the same windows and boxes as the user (the
// boxes answered by script), on a generated database (10,000 pupils and 7,000 families unless
// told):
// - the alphabetical class list in the preview: until its first page shows, until it is
//   laid out whole, and the longest the window goes without answering meanwhile;
// - the same list written to ".RTF", beside the sqlite3 tool writing the same rows to a file
//   (the floor), and the program's peak memory once it is written;
// - the spreadsheet export.
// Prints the median of each.
//   bench_rapports [runs] [generer_base] [pupils]   (runs: 5 by default)
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/report/apercu.h"
#include "platform/report/crystal_report.h"
#include "reports/enregistrement_reports.h"
#include "reports/export_tableur.h"
#include "reports/feuille_traitements.h"
#include "shell/module1.h"

#include "outils_bench.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// The process's peak resident memory so far, in megabytes (VmHWM).
double memoire_max_mo() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// The rows of the class list, as the sqlite3 tool reads them in their order and writes them.
constexpr const char* RequeteOutil =
    "SELECT \"nom_élève\", \"prénom_élève\", \"date_naissance_élève\", \"sexe_élève\", \"niveau_classe_élève\","
    " \"référence_classe_élève\", \"cycle_classe_élève\" FROM \"élèves\""
    " ORDER BY \"référence_classe_élève\", \"nom_élève\", \"prénom_élève\"";

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int fois = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    const int eleves = argc > 3 ? std::max(1, QString::fromLocal8Bit(argv[3]).toInt()) : 10000;
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);
    const QString dossierProgramme = QFileInfo(modele).absolutePath() + '/';

    QTemporaryDir dossier;
    const QString base = bench::generer_base(bench::generateur(argc, argv, modele), modele, dossier.path(), eleves,
                                             eleves * 7 / 10);
    if (base.isEmpty()) return 1;

    Module1::chemin_base = base;
    Module1::chemin_programme = dossierProgramme;
    enregistrer_feuilles_reports();
    auto& boites = forms::installer_repondeur_scripte();

    auto& fenetre = forms::Feuilles::charger(QString::fromUtf8(reports::FeuilleTraitements::Nom));
    auto* listes = fenetre.controle<QComboBox>(QStringLiteral("Combo2"));
    listes->setCurrentIndex(listes->findText(QStringLiteral("Liste de classes (alphabétique)")));
    auto* ok = fenetre.controle<QPushButton>(QStringLiteral("Command2"));
    bool reussi = true;

    // To a file first, so that the peak memory is the file's alone.
    fenetre.controle<QRadioButton>(QStringLiteral("Option1_2"))->setChecked(true);
    const QString rtf = QDir(dossier.path()).filePath(QStringLiteral("classes.RTF"));
    const double liste = bench::chronometrer(fois, [&] { boites.effacer(); boites.saisir(rtf); }, [&] {
        ok->click();
        reussi = reussi && boites.vues.size() == 1 && QFileInfo(rtf).size() > 0;
    });
    const double memoire = memoire_max_mo();
    const QString sortieOutil = QDir(dossier.path()).filePath(QStringLiteral("outil.txt"));
    bool outil = true;
    const double plancher = bench::chronometrer(fois, [] {}, [&] {
        QProcess p;
        p.setStandardOutputFile(sortieOutil);
        p.start(QStringLiteral("sqlite3"), {base, QString::fromUtf8(RequeteOutil)});
        outil = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && outil;
    });

    // The preview: the click returns once the first page shows; the rest is laid out from the
    // event loop, whose turns are timed by a 10 ms ticker.
    fenetre.controle<QRadioButton>(QStringLiteral("Option1_0"))->setChecked(true);
    auto& apercu = report::FenetreApercu::instance();
    QVector<double> premieres, entieres, attentes;
    int pages = 0;
    for (int i = 0; i < fois; ++i) {
        boites.effacer();
        QElapsedTimer t;
        t.start();
        ok->click();
        premieres << t.nsecsElapsed() / 1e6;
        reussi = reussi && boites.vues.isEmpty();
        double attente = 0;
        qint64 dernier = t.elapsed();
        QTimer ticker;
        ticker.setInterval(10);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            attente = std::max(attente, double(t.elapsed() - dernier));
            dernier = t.elapsed();
        });
        ticker.start();
        while (apercu.enMiseEnPage()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        entieres << t.nsecsElapsed() / 1e6;
        attentes << attente;
        pages = apercu.nombrePages();
    }
    const double memoireApercu = memoire_max_mo();

    // A workbook holds 65,536 rows: a larger register is refused before any row is read.
    const QString xls = QDir(dossier.path()).filePath(QStringLiteral("eleves.XLS"));
    const bool classeur = eleves < 65536;
    const double tableur = !classeur ? 0 : bench::chronometrer(fois, [&] { QFile::remove(xls); boites.effacer(); boites.saisir(xls); }, [&] {
        reports::exporter_donnees_excel();
        reussi = reussi && boites.vues.size() == 2 && QFileInfo(xls).size() > 0;
    });

    if (!reussi) {
        std::fprintf(stderr, "échec : %s\n", qPrintable(report::CrystalReport1().derniereErreur()));
        return 1;
    }
    std::printf("Liste de classes (alphabétique), %d élèves, médianes sur %d essais :\n", eleves, fois);
    std::printf("  aperçu, première page affichée : %.0f ms\n", bench::mediane(premieres));
    std::printf("  aperçu, %d pages mises en page : %.0f ms ; plus longue attente de la fenêtre : %.0f ms ; "
                "mémoire maximale avec l'aperçu : %.0f Mo\n",
                pages, bench::mediane(entieres), bench::mediane(attentes), memoireApercu);
    std::printf("  vers .RTF : %.0f ms (%lld octets) ; mémoire maximale du programme : %.0f Mo\n", liste,
                static_cast<long long>(QFileInfo(rtf).size()), memoire);
    if (outil)
        std::printf("  plancher : l'outil sqlite3 écrivant les mêmes lignes dans un fichier : %.0f ms (rapport %.1f)\n",
                    plancher, liste / std::max(1.0, plancher));
    else
        std::printf("  plancher sqlite3 : outil absent\n");
    if (classeur)
        std::printf("Exportation tableur .XLS : %.0f ms (%lld octets)\n", tableur, static_cast<long long>(QFileInfo(xls).size()));
    return 0;
}
