// Opening files, the engine's statements, French order and LIKE, another workstation's
// lock, and compaction.
#include "db/outils.h"
#include "platform/db/dialecte.h"
#include "platform/db/francais.h"
#include "platform/db/jeu_enregistrements.h"
#include <QDateTime>
#include <QDir>
#include <QFile>

using namespace db;
using essai::erreur_de;

class TestBase : public QObject {
    Q_OBJECT

private slots:
    void fichiers_refuses() {
        QTemporaryDir dossier;
        const QString d = dossier.path();
        QCOMPARE(erreur_de([&] { BaseDonnees::ouvrir(d + "/absente.mdb"); }), erreurs::FichierIntrouvable);
        QCOMPARE(erreur_de([&] { BaseDonnees::ouvrir(d); }), erreurs::FichierIntrouvable);
        QFile texte(d + "/texte.mdb");
        QVERIFY(texte.open(QIODevice::WriteOnly));
        texte.write("Ceci n'est pas une base de données, mais un texte assez long pour un en-tête.\n");
        texte.close();
        QCOMPARE(erreur_de([&] { BaseDonnees::ouvrir(d + "/texte.mdb"); }), erreurs::FormatNonReconnu);
        QFile vide(d + "/vide.mdb");
        QVERIFY(vide.open(QIODevice::WriteOnly));
        vide.close();
        QCOMPARE(erreur_de([&] { BaseDonnees::ouvrir(d + "/vide.mdb"); }), erreurs::FormatNonReconnu);
        QCOMPARE(QFile(d + "/vide.mdb").size(), 0);  // SQLite did not turn it into a database
        QVERIFY(!db::texte_erreur(erreurs::FormatNonReconnu).isEmpty());
    }

    void connexion_partageable() {
        QTemporaryDir dossier;
        const QString chemin = test::copie_modele(dossier);
        {  // a file left in WAL by another tool goes back to the rollback journal
            essai::AutrePoste outil(chemin);
            QCOMPARE(outil.executer("PRAGMA journal_mode=WAL"), SQLITE_OK);
        }
        auto b = moteur::OpenDatabase(chemin);
        QCOMPARE(b->requete("PRAGMA journal_mode").lignes[0][0].toString(), QString("delete"));
        QVERIFY(b->tables().contains("élèves"));
        QCOMPARE(b->champs("élèves").at(4).type, TypeChamp::Date);
        QCOMPARE(erreur_de([&] { b->Execute("DELETE * FROM inconnue"); }), erreurs::TableIntrouvable);
        // A misspelt field is an unknown name, not a text constant true for every row.
        const qlonglong sexes = essai::compter(*b, "sexe");
        QCOMPARE(erreur_de([&] { b->Execute("DELETE * FROM sexe WHERE détail <> \"zzz\""); }), erreurs::ElementIntrouvable);
        QCOMPARE(erreur_de([&] { b->requete("DELETE FROM sexe WHERE \"détail\" <> 'zzz'"); }), erreurs::ElementIntrouvable);
        QCOMPARE(erreur_de([&] { JeuEnregistrements(b, "SELECT * FROM sexe ORDER BY détail"); }), erreurs::ElementIntrouvable);
        QCOMPARE(essai::compter(*b, "sexe"), sexes);
        b->Execute("DELETE * FROM sexe WHERE détails = \"Masculin\"");
        QCOMPARE(essai::compter(*b, "sexe"), sexes - 1);
        b->Close();
        QVERIFY(!b->ouverte());
        QCOMPARE(erreur_de([&] { b->Execute("DELETE * FROM villes"); }), erreurs::ObjetInvalide);
    }

    void ordre_et_like_francais() {
        QTemporaryDir dossier;
        auto b = BaseDonnees::ouvrir(test::copie_modele(dossier));
        b->Execute("DELETE * FROM villes");
        for (const char* v : {"Zoé", "Eric", "Émile", "emile", "Emile", "Étienne", "Ève", "Evreux", "zèbre"})
            b->requete("INSERT INTO villes (\"détails\") VALUES (?)", {QString::fromUtf8(v)});
        const auto ordre = [&](const QString& sens) {
            JeuEnregistrements j(b, "SELECT * FROM villes ORDER BY détails " + sens);
            QStringList r;
            for (int i = 0; i < j.RecordCount(); ++i) r << j.valeurLigne(i, 1).toString();
            return r;
        };
        const QStringList attendu = {"emile", "Emile", "Émile", "Eric", "Étienne", "Ève", "Evreux", "zèbre", "Zoé"};
        QCOMPARE(ordre("ASC"), attendu);
        QStringList inverse = attendu;
        std::reverse(inverse.begin(), inverse.end());
        QCOMPARE(ordre("DESC"), inverse);
        // SQLite's own LIKE, for native queries, ignores case and accents beyond ASCII too.
        QCOMPARE(essai::compter(*b, "villes", "\"détails\" LIKE 'é%'"), 7);
        QCOMPARE(essai::compter(*b, "villes", "\"détails\" LIKE 'ÈV_'"), 1);

        // A search turns most rows down on their first character: the answer is the whole
        // comparison's, whatever the text and the pattern begin with.
        const QStringList textes = {"Dupont", "dupont", " Dupont", "Émile", "emile", "Eloi", "ÉLOI", "œuvre",
                                    "Oeuvre", "1er", "#3", "*", "?", "[a]", "\u00a0x", "\ufeffDupont", "", "-x", "Ærø"};
        const QStringList motifs = {"d*", "D*", "é*", "e*", "É*", "o*", "oe*", "œ*", "#*", "?*", "*", "[d-e]*",
                                    "[!d]*", "[*]", "\u00a0*", " *", "-*", "ae*", "1*", "x"};
        for (const QString& t : textes)
            for (const QString& m : motifs) {
                const auto lu = b->requete("SELECT comme(?, ?), like(?, ?)", {t, m, QString(m).replace('*', '%').replace('?', '_'), t});
                const bool attendu = dialecte::correspond(t, m);
                QVERIFY2(lu.lignes[0][0].toBool() == attendu, qPrintable(t + " / " + m));
                if (!m.contains('[') && !m.contains('#'))
                    QVERIFY2(lu.lignes[0][1].toBool() == attendu, qPrintable(t + " / LIKE " + m));
            }
    }

    // Names, towns and classes as a school types them: the one French order, the same
    // through SQLite and in code, and its first level as the grouping's equality.
    void ordre_francais_noms_villes_classes() {
        const QStringList attendu = {
            "9", "10", "brignais", "Brignais", "BRIGNAIS", "Brindas", "CL5", "cl05", "CL05", "CL10",
            "Classe 2", "Classe 10", "De Gaulle", "de la Tour", "Delacroix", "Dupond", "Dupont",
            "emile", "Emile", "Émile", "Éric", "Evreux", "Lœuvre", "Loeuvrey",
            "Saint Genis", "Saint-Genis", "Villefranche-sur-Saône"};
        QStringList melange = attendu;
        std::reverse(melange.begin(), melange.end());
        std::stable_sort(melange.begin(), melange.end(),
                         [](const QString& a, const QString& b) { return francais::comparer(a, b) < 0; });
        QCOMPARE(melange, attendu);

        QTemporaryDir dossier;
        auto b = BaseDonnees::ouvrir(test::copie_modele(dossier));
        b->Execute("DELETE * FROM villes");
        for (int i = attendu.size() - 1; i >= 0; --i)
            b->requete("INSERT INTO villes (\"détails\") VALUES (?)", {attendu[i]});
        JeuEnregistrements j(b, "SELECT * FROM villes ORDER BY détails");
        QStringList fenetre;
        for (int i = 0; i < j.RecordCount(); ++i) fenetre << j.valeurLigne(i, 1).toString();
        QCOMPARE(fenetre, attendu);

        // First level: one value whatever the case, accents and leading zeros.
        QVERIFY(francais::memes_lettres("BRIGNAIS", "brignais"));
        QVERIFY(francais::memes_lettres("Emile", "émile"));
        QVERIFY(francais::memes_lettres("cl05", "CL5"));
        QVERIFY(!francais::memes_lettres("Classe 2", "Classe 20"));
        QVERIFY(!francais::memes_lettres("Saint Genis", "Saint-Genis"));
        QCOMPARE(francais::cle_lettres("Brignais"), francais::cle_lettres("BRIGNAIS"));
        QCOMPARE(essai::compter(*b, "villes", "\"détails\" = 'brignais' COLLATE FRANCAIS_LETTRES"), 3);
        QCOMPARE(essai::compter(*b, "villes", "\"détails\" = 'Cl05' COLLATE FRANCAIS_LETTRES"), 3);
        // LIKE agrees with the first level: every spelling of the town, accents either way.
        QCOMPARE(essai::compter(*b, "villes", "\"détails\" LIKE 'brignais'"), 3);
        QCOMPARE(essai::compter(*b, "villes", "\"détails\" LIKE 'ÉMILE'"), 3);
    }

    // Any texts: the order is a total order, and the same from UTF-8 (SQLite) and from
    // UTF-16 (code); the first-level key agrees with the first-level comparison.
    void ordre_francais_coherent() {
        const QStringList pieces = {"a", "A", "é", "É", "e", "E", "ë", "œ", "oe", "0", "00", "1", "9", "10",
                                    " ", "-", "'", "z", "ß", "ss", "e\u0301", "ø", "Ω", "€", ""};
        QStringList textes;
        quint32 graine = 7;
        for (int i = 0; i < 300; ++i) {
            QString t;
            const int n = int(graine % 5);
            for (int k = 0; k < n; ++k) {
                graine = graine * 1103515245u + 12345u;
                t += pieces[int((graine >> 16) % pieces.size())];
            }
            graine = graine * 1103515245u + 12345u;
            textes << t;
        }
        std::sort(textes.begin(), textes.end(),
                  [](const QString& a, const QString& b) { return francais::comparer(a, b) < 0; });
        for (int i = 0; i < textes.size(); ++i)
            for (int k = 0; k < textes.size(); ++k) {
                const QString &a = textes[i], &b = textes[k];
                const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
                const int c = francais::comparer(a, b);
                const int l = francais::comparer_lettres(a, b);
                QVERIFY2(c == -francais::comparer(b, a), qPrintable(a + " / " + b));
                QVERIFY2((c > 0) == (i > k) || a == b, qPrintable(a + " / " + b));
                QVERIFY2((c > 0) == (francais::comparer_utf8(ua, ua.size(), ub, ub.size()) > 0), qPrintable(a + " / " + b));
                QVERIFY2(l == 0 || (l > 0) == (c > 0), qPrintable(a + " / " + b));
                QVERIFY2((l == 0) == (francais::cle_lettres(a) == francais::cle_lettres(b)), qPrintable(a + " / " + b));
            }
    }

    void fichier_verrouille_par_un_autre_poste() {
        QTemporaryDir dossier;
        const QString chemin = test::copie_modele(dossier);
        auto b = BaseDonnees::ouvrir(chemin);
        const qlonglong avant = essai::compter(*b, "sexe");
        QVERIFY(avant > 0);
        BaseDonnees::definirDelaiVerrou(150);
        {
            essai::AutrePoste autre(chemin);
            QCOMPARE(autre.executer("BEGIN EXCLUSIVE"), SQLITE_OK);
            try {
                b->Execute("DELETE * FROM sexe");
                QFAIL("le verrou n'a pas été signalé");
            } catch (const Erreur& e) {
                QCOMPARE(e.numero, erreurs::Verrouille);
                QVERIFY(e.texte.contains("verrouillée"));
            }
            autre.executer("ROLLBACK");
        }
        BaseDonnees::definirDelaiVerrou(5000);
        QCOMPARE(essai::compter(*b, "sexe"), avant);  // nothing half-done
        b->Execute("DELETE * FROM sexe");             // and it works once the lock is gone
        QCOMPARE(essai::compter(*b, "sexe"), 0);
    }

    // The common failures in French, each naming its file; a file held by another workstation
    // cannot be opened, and the message does not speak of a lost save.
    void pannes_courantes_en_francais() {
        QTemporaryDir dossier;
        const QString chemin = test::copie_modele(dossier);
        const QString nomFichier = QDir::toNativeSeparators(chemin);
        BaseDonnees::definirDelaiVerrou(100);
        {
            essai::AutrePoste autre(chemin);
            QCOMPARE(autre.executer("BEGIN EXCLUSIVE; DELETE FROM sexe"), SQLITE_OK);
            try {
                BaseDonnees::ouvrir(chemin);
                QFAIL("le fichier verrouillé a été ouvert");
            } catch (const Erreur& e) {
                QCOMPARE(e.numero, erreurs::FichierOccupe);
                QVERIFY(e.texte.contains("un autre poste de travail"));
                QVERIFY(!e.texte.contains("enregistré"));
                QVERIFY(e.texte.contains(nomFichier));
            }
            autre.executer("ROLLBACK");
        }
        BaseDonnees::definirDelaiVerrou(5000);
        auto b = BaseDonnees::ouvrir(chemin);
        // A disk full, as SQLite reports it when the file cannot grow.
        const qlonglong pages = b->requete("PRAGMA page_count").lignes[0][0].toLongLong();
        b->requete(QString("PRAGMA max_page_count = %1").arg(pages));
        const QString longue(2000, 'x');
        try {
            for (int i = 0; i < 1000; ++i) essai::ajouter_eleve(*b, QString::number(i), longue.left(30), longue);
            QFAIL("le disque plein n'a pas été signalé");
        } catch (const Erreur& e) {
            QCOMPARE(e.numero, erreurs::DisquePlein);
            QVERIFY(e.texte.startsWith("Le disque est plein"));
            QVERIFY(e.texte.contains(nomFichier));
        }
        b->Close();
        QFile damage(chemin);
        QVERIFY(damage.open(QIODevice::ReadWrite));
        damage.seek(100);
        damage.write(QByteArray(4096, '\xff'));
        damage.close();
        const Erreur e = [&] {
            try { BaseDonnees::ouvrir(chemin)->tables(); } catch (const Erreur& x) { return x; }
            return Erreur(0, {});
        }();
        QCOMPARE(e.numero, erreurs::BaseEndommagee);
        QVERIFY(e.texte.contains(nomFichier));
    }

    void compactage() {
        QTemporaryDir dossier;
        const QString source = test::copie_modele(dossier, "source.mdb");
        {
            auto b = BaseDonnees::ouvrir(source);
            essai::ajouter_eleve(*b, "000001", "Dupont", "Émile", "2019-05-04");
            b->Execute("DELETE * FROM villes");
        }
        const QString cible = dossier.filePath("compacte.mdb");
        moteur::CompactDatabase(source, cible);
        {
            auto c = BaseDonnees::ouvrir(cible);
            QCOMPARE(essai::compter(*c, "élèves", "\"nom_élève\" = 'Dupont'"), 1);
            QCOMPARE(c->requete("SELECT \"date_naissance_élève\" FROM \"élèves\"").lignes[0][0].toDate(), QDate(2019, 5, 4));
        }
        // An existing target is refused and left as it was.
        QFile existant(dossier.filePath("existant.mdb"));
        QVERIFY(existant.open(QIODevice::WriteOnly));
        existant.write("à garder");
        existant.close();
        QCOMPARE(erreur_de([&] { moteur::CompactDatabase(source, existant.fileName()); }), erreurs::BaseExistante);
        QVERIFY(existant.open(QIODevice::ReadOnly));
        QCOMPARE(existant.readAll(), QByteArray("à garder"));
        existant.close();
        QCOMPARE(erreur_de([&] { moteur::CompactDatabase(source, source); }), erreurs::BaseExistante);
        QCOMPARE(erreur_de([&] { moteur::CompactDatabase(dossier.filePath("absente.mdb"), dossier.filePath("x.mdb")); }),
                 erreurs::FichierIntrouvable);
        QCOMPARE(erreur_de([&] { moteur::CompactDatabase(existant.fileName(), dossier.filePath("y.mdb")); }),
                 erreurs::FormatNonReconnu);
        QVERIFY(!QFile::exists(dossier.filePath("x.mdb")));
        QVERIFY(!QFile::exists(dossier.filePath("y.mdb")));
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files).size(), 3);  // no partial copy left behind

        // What a killed compaction left is removed at the next one and at opening; files of
        // other names, and a copy too recent to be a leftover, stay.
        const auto creer = [&](const QString& nom, int ageMinutes) {
            QFile f(dossier.filePath(nom));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("reste");
            f.flush();
            f.setFileTime(QDateTime::currentDateTime().addSecs(-60 * ageMinutes), QFileDevice::FileModificationTime);
        };
        const QStringList restes = {"z.mdb.carnelis-compactage-Ab12Cd", "z.mdb.carnelis-compactage-Ab12Cd-journal"};
        const QStringList gardes = {"z.mdb.Ab12Cd", "z.mdb.carnelis-compactage-Ab12", "notes.carnelis-compactage-Ab12Cd.txt",
                                    "w.mdb.carnelis-compactage-Xy34Zt"};
        for (const QString& n : restes + gardes) creer(n, n.startsWith("w.") ? 1 : 60);
        moteur::CompactDatabase(source, dossier.filePath("encore.mdb"));
        for (const QString& n : restes) QVERIFY2(!QFile::exists(dossier.filePath(n)), qPrintable(n));
        for (const QString& n : gardes) QVERIFY2(QFile::exists(dossier.filePath(n)), qPrintable(n));
        creer(restes[0], 60);
        BaseDonnees::ouvrir(source);
        QVERIFY(!QFile::exists(dossier.filePath(restes[0])));
    }
};

int tester_base(int argc, char** argv) {
    TestBase t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_base.moc"
