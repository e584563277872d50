// Times the alphabetical class list written to ".RTF" and the spreadsheet export on a
// generated database of 10,000 pupils and 7,000 families, through the same windows and
// boxes as the user (the boxes answered by script). Prints the median of each.
//   bench_rapports [runs] [generer_base]   (runs: 5 by default)
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
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
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Runs `etape` `fois` times; returns the median in milliseconds, or -1 when a run fails.
double chronometrer(int fois, const std::function<bool()>& etape) {
    QVector<double> durees;
    for (int i = 0; i < fois; ++i) {
        QElapsedTimer t;
        t.start();
        if (!etape()) return -1;
        durees << t.nsecsElapsed() / 1e6;
    }
    return bench::mediane(durees);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int fois = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);
    const QString dossierProgramme = QFileInfo(modele).absolutePath() + '/';

    QTemporaryDir dossier;
    const QString base = bench::generer_base(bench::generateur(argc, argv, modele), modele, dossier.path());
    if (base.isEmpty()) return 1;

    Module1::chemin_base = base;
    Module1::chemin_programme = dossierProgramme;
    enregistrer_feuilles_reports();
    auto& boites = forms::installer_repondeur_scripte();

    auto& fenetre = forms::Feuilles::charger(QString::fromUtf8(reports::FeuilleTraitements::Nom));
    auto* listes = fenetre.controle<QComboBox>(QStringLiteral("Combo2"));
    listes->setCurrentIndex(listes->findText(QStringLiteral("Liste de classes (alphabétique)")));
    fenetre.controle<QRadioButton>(QStringLiteral("Option1_2"))->setChecked(true);
    auto* ok = fenetre.controle<QPushButton>(QStringLiteral("Command2"));

    const QString rtf = QDir(dossier.path()).filePath(QStringLiteral("classes.RTF"));
    const double liste = chronometrer(fois, [&] {
        boites.effacer();
        boites.saisir(rtf);
        ok->click();
        return boites.vues.size() == 1 && QFileInfo(rtf).size() > 0;
    });

    const QString xls = QDir(dossier.path()).filePath(QStringLiteral("eleves.XLS"));
    const double tableur = chronometrer(fois, [&] {
        QFile::remove(xls);
        boites.effacer();
        boites.saisir(xls);
        reports::exporter_donnees_excel();
        return boites.vues.size() == 2 && QFileInfo(xls).size() > 0;
    });

    if (liste < 0 || tableur < 0) {
        std::fprintf(stderr, "échec : %s\n", qPrintable(report::CrystalReport1().derniereErreur()));
        return 1;
    }
    std::printf("Liste de classes (alphabétique) vers .RTF : médiane %.0f ms sur %d essais (%lld octets)\n",
                liste, fois, static_cast<long long>(QFileInfo(rtf).size()));
    std::printf("Exportation tableur .XLS : médiane %.0f ms sur %d essais (%lld octets)\n", tableur, fois,
                static_cast<long long>(QFileInfo(xls).size()));
    return 0;
}
