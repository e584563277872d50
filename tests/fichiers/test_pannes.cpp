// Faults while files are copied: a full disk, read-only media, a source locked by another
// writer or truncated, and a process killed at random moments. The register must come out
// whole each time: the database as it was or the new file complete, every committed record
// kept, no temporary file left once the next operation has run.
#include "poste.h"
#include "platform/registry/registre.h"
#include "commun/hasard.h"
#include "commun/montage.h"
#include "programme/demarrage.h"
#include "shell/enregistrement_shell.h"
#include "platform/db/copie_sure.h"
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace poste;

namespace {

QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using test::commande;
using test::Montage;
using test::remplir;

struct Immuable {
    QString chemin;
    bool pose;
    explicit Immuable(const QString& c) : chemin(c), pose(commande("chattr", {"+i", c})) {}
    ~Immuable() {
        if (pose) commande("chattr", {"-i", chemin});
    }
};

QString matricule(int i) { return QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')); }

QSet<QString> matricules(const QString& base) {
    QSet<QString> r;
    auto b = db::BaseDonnees::ouvrir(base);
    for (const auto& l : b->requete(QStringLiteral("SELECT matricule FROM \"élèves\"")).lignes) r.insert(l[0].toString());
    return r;
}

}  // namespace

// The process that the torture test kills: in `dossier`, it saves a pupil, tells it through
// the side file `journal` once committed (synced), then runs the operation, and so on.
int enfant(int argc, char** argv) {
    if (argc < 6) return 2;
    const QString mode = QString::fromLocal8Bit(argv[2]);
    const QString dossier = QString::fromLocal8Bit(argv[3]), cle = QString::fromLocal8Bit(argv[4]);
    const QByteArray journal = argv[5];
    const bool uneFois = argc > 6;
    QApplication app(argc, argv);
    QDir::setCurrent(dossier);
    registre::definir_fichier(dossier + QStringLiteral("/registre"));
    auto& boites = forms::installer_repondeur_scripte();
    // The chooser and the windows it calls, without the rest of the program.
    programme::enregistrer_tables();
    enregistrer_feuilles_shell();
    if (!selectionner(QStringLiteral("base.mdb"))) return 3;
    const QString base = dossier + "/base.mdb";
    int suivant = 1;
    for (const QString& m : matricules(base)) suivant = qMax(suivant, m.toInt() + 1);
    std::printf("pret\n");
    std::fflush(stdout);
    for (;; ++suivant) {
        {
            auto b = db::BaseDonnees::ouvrir(base);
            b->requete(QStringLiteral("INSERT INTO \"élèves\" (matricule) VALUES (?)"), {matricule(suivant)});
        }
        const int fd = ::open(journal.constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
        const QByteArray ligne = matricule(suivant).toUtf8() + '\n';
        if (::write(fd, ligne.constData(), ligne.size()) != ligne.size() || ::fsync(fd) != 0) return 4;
        ::close(fd);
        boites.effacer();
        if (mode == "compactage") {
            cliquer("Command2");
        } else {
            cliquer(mode == "sauvegarde" ? "Command4" : "Command5");
            if (mode == "sauvegarde" && QFile::exists(cle + "/sauvegarde.mdb")) boites.repondre(forms::Oui);
            accepter_dans(cle);
        }
        if (boites.derniere().style != 64) {
            std::fprintf(stderr, "%s\n", qPrintable(boites.derniere().texte));
            return 5;
        }
        std::printf("op\n");
        std::fflush(stdout);
        if (uneFois) break;
    }
    programme::arreter_demarrage();
    return 0;
}

class TestPannes : public QObject {
    Q_OBJECT
    QTemporaryDir* dossier = nullptr;
    QString origine;
    forms::RepondeurScripte* boites = nullptr;
    QString base;

    QString chemin(const QString& nom) const { return dossier->filePath(nom); }

    void verifier_refus(const char* extrait) {
        QVERIFY2(boites->derniere().texte.contains(QString::fromUtf8(extrait)), qPrintable(boites->derniere().texte));
        QCOMPARE(boites->derniere().style, forms::styles::Avertissement);
        QCOMPARE(forms::pointeur_souris(), 0);
    }

private slots:
    void init() {
        dossier = new QTemporaryDir;
        origine = QDir::currentPath();
        QDir::setCurrent(dossier->path());
        boites = &forms::installer_repondeur_scripte();
        base = test::copie_modele(*dossier, "base.mdb");
        ajouter_eleves(base, 300);
        QVERIFY(demarrer());
        boites->effacer();
    }
    void cleanup() {
        db::copie_sure::definir_sonde({});
        db::BaseDonnees::definirDelaiVerrou(5000);
        programme::arreter_demarrage();
        QDir::setCurrent(origine);
        delete dossier;
    }

    void disque_plein() {
        Montage plein(chemin("plein"), "size=1m");
        if (!plein.monte) QSKIP("no tmpfs can be mounted here; the injected failure below covers the same paths");
        const QString b = plein.point + "/base.mdb";
        QVERIFY(QFile::copy(base, b));
        const QString cle = chemin("clé");
        QDir().mkdir(cle);
        QVERIFY(QFile::copy(base, cle + "/sauvegarde.mdb"));
        remplir(plein.point, QFileInfo(b).size() / 2);
        const QByteArray avant = lire(b);

        // Compaction in the full folder.
        choix().controle<forms::ListeDossiers>("Dir1")->setPath(plein.point);
        QVERIFY(selectionner("base.mdb"));
        boites->effacer();
        cliquer("Command2");
        verifier_refus("Disque plein");
        QCOMPARE(lire(b), avant);
        // Restore into it.
        cliquer("Command5");
        accepter_dans(cle);
        verifier_refus("Disque plein");
        QVERIFY(!QFile::exists(plein.point + "/sauvegarde_restaurée.mdb"));
        // Backup onto it, from the folder beside.
        choix().controle<forms::ListeDossiers>("Dir1")->setPath(dossier->path());
        QVERIFY(selectionner("base.mdb"));
        cliquer("Command4");
        accepter_dans(plein.point);
        verifier_refus("Disque plein");
        QVERIFY(!QFile::exists(plein.point + "/sauvegarde.mdb"));
        QVERIFY(restes(plein.point).isEmpty());
        // A record saved on the full disk is refused; what was there stays whole.
        QVERIFY_THROWS_EXCEPTION(Erreur, {
            auto c = db::BaseDonnees::ouvrir(b);
            c->Execute("INSERT INTO adresses (détails) SELECT group_concat(nom_élève, '') FROM élèves, (SELECT 1 UNION SELECT 2)");
            for (int i = 0; i < 50; ++i) c->Execute("INSERT INTO adresses (détails) SELECT détails || détails FROM adresses");
        });
        QCOMPARE(integrite(b), QStringLiteral("ok"));
        QCOMPARE(lignes(b), 300);
    }

    // The same failure wherever the file system cannot be made full: the last step of each
    // copy fails, the file it was to replace stays as it was.
    void ecriture_refusee_au_dernier_moment() {
        db::copie_sure::definir_sonde([](const QString&) {
            throw Erreur(61, QStringLiteral("Disque plein (simulé)."));
        });
        const QByteArray avant = lire(base);
        QVERIFY(selectionner("base.mdb"));
        cliquer("Command2");
        verifier_refus("Disque plein");
        QCOMPARE(lire(base), avant);
        const QString cle = chemin("clé");
        QDir().mkdir(cle);
        QVERIFY(QFile::copy(CARNELIS_MODELE_VIDE, cle + "/sauvegarde.mdb"));
        const QByteArray ancienne = lire(cle + "/sauvegarde.mdb");
        cliquer("Command4");
        boites->repondre(forms::Oui);
        accepter_dans(cle);
        verifier_refus("Disque plein");
        QCOMPARE(lire(cle + "/sauvegarde.mdb"), ancienne);
        QVERIFY(!forms::Feuilles::charger("feuille_patientez").estAffichee());
        QVERIFY(restes(dossier->path()).isEmpty());
        QVERIFY(restes(cle).isEmpty());
    }

    void lecture_seule() {
        // A protected database: compaction, renaming and deletion refused, the file unchanged.
        test::copie_modele(*dossier, "autre.mdb");
        const QByteArray avant = lire(base);
        {
            Immuable protegee(base);
            if (!protegee.pose) QSKIP("chattr is not available on this file system");
            QVERIFY(selectionner("base.mdb"));
            cliquer("Command2");
            QVERIFY(boites->derniere().texte.startsWith("Le logiciel a rencontré l'erreur : "));
            QCOMPARE(boites->derniere().style, forms::styles::Avertissement);
            boites->saisir("nouveau nom");
            cliquer("Command6");
            QCOMPARE(boites->derniere().style, forms::styles::Avertissement);
            QVERIFY(!QFile::exists(chemin("nouveau nom.mdb")));
            QVERIFY(selectionner("base.mdb"));
            cliquer("cmdSupprimer");
            verifier_refus("Permission refusée");
            QVERIFY(QFile::exists(base));
        }
        QCOMPARE(lire(base), avant);
        // A read-only medium: told before anything is copied, naming the folder.
        Montage support(chemin("support"), "size=4m");
        if (!support.monte) QSKIP("no tmpfs can be mounted here");
        QVERIFY(QFile::copy(CARNELIS_MODELE_VIDE, support.point + "/basevide.mdz"));
        QVERIFY(support.lectureSeule());
        QVERIFY(selectionner("base.mdb"));
        boites->effacer();
        cliquer("Command4");
        accepter_dans(support.point);
        QCOMPARE(boites->vues.size(), 1);
        verifier_refus("Permission refusée");
        QVERIFY(boites->derniere().texte.contains(support.point));
        choix().controle<forms::ListeDossiers>("Dir1")->setPath(support.point);
        boites->saisir("neuve");
        cliquer("Command3");
        verifier_refus("Permission refusée");
    }

    void source_verrouillee_ou_tronquee() {
        // Another workstation in the middle of a write.
        db::BaseDonnees::definirDelaiVerrou(200);
        auto autre = db::BaseDonnees::ouvrir(base);
        autre->requete("BEGIN IMMEDIATE");
        autre->requete("INSERT INTO \"élèves\" (matricule) VALUES ('999999')");
        QVERIFY(selectionner("base.mdb"));
        cliquer("Command2");
        verifier_refus("verrouillée");
        // A backup meanwhile holds what was committed, nothing half-written.
        const QString cle = chemin("clé");
        QDir().mkdir(cle);
        cliquer("Command4");
        accepter_dans(cle);
        QCOMPARE(boites->derniere().style, forms::styles::Information);
        QCOMPARE(lignes(cle + "/sauvegarde.mdb"), 300);
        autre->requete("COMMIT");
        autre->Close();
        QCOMPARE(lignes(base), 301);
        QCOMPARE(integrite(base), QStringLiteral("ok"));

        // A truncated file is copied by no button.
        const QString tronquee = chemin("tronquée.mdb");
        QFile::copy(base, tronquee);
        QFile(tronquee).resize(QFileInfo(base).size() / 2);
        const QByteArray avant = lire(tronquee);
        QVERIFY(selectionner("tronquée.mdb"));
        for (const char* b : {"Command2", "cmdAjouter"}) {
            boites->effacer();
            boites->saisir("copie");
            cliquer(b);
            verifier_refus("3049");
        }
        cliquer("Command4");
        boites->repondre(forms::Oui);
        accepter_dans(cle);
        verifier_refus("3049");
        QCOMPARE(lire(tronquee), avant);
        QVERIFY(!QFile::exists(chemin("copie.mdb")));
        QCOMPARE(lignes(cle + "/sauvegarde.mdb"), 300);
    }

    // The three operations run side by side, each in its own folder with its own database.
    void processus_tue() {
        struct Poste {
            QString mode, dossier, cle, base, journal;
            std::unique_ptr<QProcess> p;
            int delai = 0;
        };
        std::vector<Poste> postes;
        for (const char* mode : {"compactage", "sauvegarde", "restauration"}) {
            Poste x;
            x.mode = QString::fromUtf8(mode);
            x.dossier = chemin(x.mode);
            x.cle = x.dossier + "/clé";
            QVERIFY(QDir().mkpath(x.cle));
            x.base = x.dossier + "/base.mdb";
            QVERIFY(QFile::copy(base, x.base));
            QVERIFY(QFile::copy(base, x.cle + "/sauvegarde.mdb"));
            x.journal = x.dossier + "/journal.txt";
            postes.push_back(std::move(x));
        }
        auto lancer = [](Poste& x, bool uneFois) {
            x.p = std::make_unique<QProcess>();
            QStringList args{"--enfant", x.mode, x.dossier, x.cle, x.journal};
            if (uneFois) args << "une";
            x.p->start(QCoreApplication::applicationFilePath(), args);
        };
        QRandomGenerator hasard = test::hasard_rejouable();
        const int essais = 30;
        int tues = 0, operations = 0, perdus = 0;
        for (int k = 0; k < essais; ++k) {
            for (Poste& x : postes) lancer(x, false);
            for (Poste& x : postes) {
                QVERIFY(x.p->waitForReadyRead(20000));
                x.delai = hasard.bounded(1, 150);
            }
            // Each is killed at its own moment: in an operation, between two, in a save.
            QElapsedTimer depuis;
            depuis.start();
            for (int restant = int(postes.size()); restant > 0;) {
                restant = 0;
                for (Poste& x : postes) {
                    if (x.delai < 0) continue;
                    if (depuis.elapsed() >= x.delai) {
                        ::kill(pid_t(x.p->processId()), SIGKILL);
                        x.delai = -1;
                    } else {
                        ++restant;
                    }
                }
                QTest::qSleep(1);
            }
            for (Poste& x : postes) {
                QVERIFY(x.p->waitForFinished(10000));
                QCOMPARE(x.p->exitStatus(), QProcess::CrashExit);
                ++tues;
                operations += int(x.p->readAllStandardOutput().count("op\n"));
                QCOMPARE(integrite(x.base), QStringLiteral("ok"));
                const QSet<QString> presents = matricules(x.base);
                for (const QByteArray& m : lire(x.journal).split('\n'))
                    if (!m.isEmpty() && !presents.contains(QString::fromUtf8(m))) ++perdus;
                for (const QString& copie : {x.cle + "/sauvegarde.mdb", x.dossier + "/sauvegarde_restaurée.mdb",
                                             x.dossier + "/sauvegarde_avant_compactage.mdb"})
                    if (QFile::exists(copie)) QCOMPARE(integrite(copie), QStringLiteral("ok"));
            }
        }
        // The next operation clears what the killed ones left.
        for (Poste& x : postes) lancer(x, true);
        for (Poste& x : postes) {
            QVERIFY(x.p->waitForFinished(20000));
            QCOMPARE(x.p->exitCode(), 0);
            QVERIFY2(restes(x.dossier).isEmpty(), qPrintable(restes(x.dossier).join(' ')));
            QVERIFY(restes(x.cle).isEmpty());
        }
        qInfo("processus tués : %d (%d par opération), opérations achevées avant eux : %d, fiches perdues : %d", tues,
              essais, operations, perdus);
        QCOMPARE(perdus, 0);
    }
};

int tester_pannes(int argc, char** argv) {
    TestPannes t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_pannes.moc"
