// Exports killed while their file is written: the gateway file is afterwards the old file or
// the old file plus whole runs of records, and the next export stays aligned on 39-line
// records; the spreadsheet is the old workbook or the new one, never missing or cut.
#include "commun/hasard.h"
#include "environnement_reports.h"
#include "essais.h"
#include "platform/db/base_donnees.h"
#include "programme/demarrage.h"
#include "reports/export_passerelle.h"
#include "reports/export_tableur.h"
#include <QProcess>

#include <csignal>
#include <cstdio>

namespace {

QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

// A register big enough that each export takes a while: the demonstration pupils copied
// under new matricules.
void grossir(const QString& base, int fois) {
    auto b = db::BaseDonnees::ouvrir(base);
    b->requete(QStringLiteral("BEGIN"));
    for (int i = 1; i <= fois; ++i)
        b->requete(QStringLiteral("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"prénom_élève\", \"référence_famille\","
                                  " \"date_naissance_élève\", \"observations_générales\") SELECT 'C' || ? || matricule,"
                                  " \"nom_élève\", \"prénom_élève\", \"référence_famille\", \"date_naissance_élève\","
                                  " \"observations_générales\" FROM \"élèves\" WHERE matricule NOT LIKE 'C%'"),
                   {i});
    b->requete(QStringLiteral("COMMIT"));
}

}  // namespace

// The process that the test kills: it exports again and again ("passerelle": into the folder
// `cible`; "tableur": to the file `cible`), answering Yes to the questions.
int enfant_export(int argc, char** argv) {
    if (argc < 5) return 2;
    const QString mode = QString::fromLocal8Bit(argv[2]), cible = QString::fromLocal8Bit(argv[4]);
    QApplication app(argc, argv);
    Module1::chemin_programme = essai::dossier_programme();
    Module1::chemin_base = QString::fromLocal8Bit(argv[3]);
    programme::enregistrer_tables();
    enregistrer_feuilles_reports();
    auto& boites = forms::installer_repondeur_scripte();
    std::printf("pret\n");
    std::fflush(stdout);
    for (;;) {
        boites.effacer();
        boites.saisir(cible).repondre(forms::Oui);
        if (mode == QLatin1String("passerelle")) reports::exporter_passerelle();
        else reports::exporter_donnees_excel();
        const QString fin = boites.derniere().texte;
        if (!fin.contains(QStringLiteral("réussie")) && !fin.contains(QStringLiteral("succès"))) {
            std::fprintf(stderr, "%s\n", qPrintable(fin));
            return 5;
        }
        std::printf("op\n");
        std::fflush(stdout);
    }
}

namespace {

class EssaiCoupures : public QObject {
    Q_OBJECT
    QTemporaryDir dossier_;
    QString base_;

    QString chemin(const QString& nom) const { return QDir(dossier_.path()).filePath(nom); }

    // Starts the exporting process, lets it run `attente` ms after its first complete export
    // (or before it when `avantPremiere`), then kills it.
    void couper(const QString& mode, const QString& cible, int attente) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--enfant-export"), mode, base_, cible});
        QVERIFY(p.waitForStarted());
        QVERIFY(p.waitForReadyRead(20000));
        QTest::qWait(attente);
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));
        QVERIFY2(!p.readAllStandardError().contains("Le logiciel"), "the export failed before it was killed");
    }

private slots:
    void initTestCase() {
        QVERIFY(essai::preparer(dossier_));
        base_ = Module1::chemin_base;
        grossir(base_, 30);
    }

    void passerelle_tuee() {
        const QByteArray une = reports::fiches_passerelle(base_);
        QVERIFY(une.size() > 1000000);
        QCOMPARE(une.count('\n') % 39, 0);
        const QString sortie = chemin(QStringLiteral("passerelle"));
        QDir().mkpath(sortie);
        const QString fichier = sortie + QStringLiteral("/CARNELIS.EXP");
        QElapsedTimer t;
        t.start();
        reports::ecrire_fiches_passerelle(base_, [](const QByteArray&) {}, {});
        const int duree = int(qMax<qint64>(20, t.elapsed()));

        QRandomGenerator hasard = test::hasard_rejouable();
        int entieres = 0, coupees = 0;
        for (int i = 0; i < 24; ++i) {
            const QByteArray avant = lire(fichier);
            couper(QStringLiteral("passerelle"), sortie, int(hasard.bounded(3 * duree)));
            const QByteArray apres = lire(fichier);
            if (apres == QByteArray("<absent>")) {
                QCOMPARE(avant, apres);
                continue;
            }
            // Only whole runs of records, after what the file held.
            QVERIFY2(apres.startsWith(avant == "<absent>" ? QByteArray() : avant), "the old records were changed");
            QCOMPARE(apres.size() % une.size(), 0);
            for (qsizetype debut = 0; debut < apres.size(); debut += une.size())
                QVERIFY(apres.mid(debut, une.size()) == une);
            (apres.size() > avant.size() || avant == "<absent>") ? ++entieres : ++coupees;
        }
        qInfo("%d kills after a run appended, %d during one", entieres, coupees);

        // The next export finds the file whole, appends after it and leaves nothing beside it.
        auto& boites = forms::installer_repondeur_scripte();
        const QByteArray avant = lire(fichier);
        boites.saisir(sortie).repondre(forms::Oui);
        reports::exporter_passerelle();
        QCOMPARE(boites.derniere().style, forms::styles::Information);
        QCOMPARE(lire(fichier), (avant == "<absent>" ? QByteArray() : avant) + une);
        QCOMPARE(QDir(sortie).entryList(QDir::Files | QDir::Hidden), QStringList(QStringLiteral("CARNELIS.EXP")));
    }

    void tableur_tue() {
        const QString fichier = chemin(QStringLiteral("classeur.XLS"));
        auto& boites = forms::installer_repondeur_scripte();
        boites.saisir(fichier);
        QElapsedTimer t;
        t.start();
        reports::exporter_donnees_excel();
        const int duree = int(qMax<qint64>(20, t.elapsed()));
        QVERIFY2(boites.derniere().texte.contains(QStringLiteral("succès")), qPrintable(boites.derniere().texte));
        const QByteArray classeur = lire(fichier);
        QVERIFY(classeur.size() > 100000);

        QRandomGenerator hasard = test::hasard_rejouable();
        for (int i = 0; i < 24; ++i) {
            couper(QStringLiteral("tableur"), fichier, int(hasard.bounded(3 * duree)));
            QVERIFY2(lire(fichier) == classeur, "the workbook was lost or cut by a kill");
        }
    }
};

}  // namespace

QObject* essai_coupures() { return new EssaiCoupures; }

#include "test_coupures.moc"
