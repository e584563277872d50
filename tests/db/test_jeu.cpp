// The result set: moves and their ends, adding, deleting, finding, typed values refused
// before anything is written, and what another workstation does to the same file.
#include "db/outils.h"
#include "platform/db/dialecte.h"
#include "platform/db/jeu_enregistrements.h"
#include <QDir>
#include <QFileInfo>
#include <thread>

using namespace db;
using essai::erreur_de;

class TestJeu : public QObject {
    Q_OBJECT
    QTemporaryDir dossier;
    QString chemin;
    std::shared_ptr<BaseDonnees> base;

    QString nom(JeuEnregistrements& j) { return j.valeur("nom_élève").toString(); }

private slots:
    void init() {
        chemin = test::copie_modele(dossier);
        base = BaseDonnees::ouvrir(chemin);
        essai::ajouter_eleve(*base, "000003", "Durand", "Zoé", "2018-03-01");
        essai::ajouter_eleve(*base, "000001", "D'Artagnan", "Charles", "2019-11-20");
        essai::ajouter_eleve(*base, "000002", "Émond", "Lucie", "2017-01-15");
        essai::ajouter_eleve(*base, "000010", "Dupont", "Émile", QVariant());
    }
    void cleanup() { base.reset(); }

    void resultat_vide() {
        base->Execute("DELETE * FROM élèves");
        JeuEnregistrements j(base, "SELECT * FROM élèves ORDER BY matricule ASC");
        QVERIFY(j.Eof() && j.Bof());
        QCOMPARE(j.AbsolutePosition(), -1);
        QCOMPARE(erreur_de([&] { j.MoveFirst(); }), erreurs::AucunEnregistrement);
        QCOMPARE(erreur_de([&] { j.MoveLast(); }), erreurs::AucunEnregistrement);
        QCOMPARE(erreur_de([&] { j.MoveNext(); }), erreurs::AucunEnregistrement);
        QCOMPARE(erreur_de([&] { j.Delete(); }), erreurs::AucunEnregistrement);
        QCOMPARE(erreur_de([&] { j.valeur("matricule"); }), erreurs::AucunEnregistrement);
        QCOMPARE(erreur_de([&] { j.Bookmark(); }), erreurs::AucunEnregistrement);
        j.FindFirst("matricule like '*'");
        QVERIFY(j.NoMatch());
        // The first record of an empty table becomes current once written.
        j.AddNew();
        j.setValeur("matricule", "000001");
        j.Update();
        QVERIFY(!j.Eof() && !j.Bof());
        QCOMPARE(j.AbsolutePosition(), 0);
        QCOMPARE(j.Bookmark(), j.LastModified());
    }

    void parcours_et_suppressions() {
        JeuEnregistrements j(base, "SELECT * FROM élèves ORDER BY nom_élève ASC, prénom_élève ASC");
        QCOMPARE(j.RecordCount(), 4);
        QStringList ordre;
        for (; !j.Eof(); j.MoveNext()) ordre << nom(j);
        QCOMPARE(ordre, (QStringList{"D'Artagnan", "Dupont", "Durand", "Émond"}));
        QCOMPARE(j.AbsolutePosition(), -1);
        QCOMPARE(erreur_de([&] { j.MoveNext(); }), erreurs::AucunEnregistrement);
        j.MoveLast();
        QCOMPARE(nom(j), QString("Émond"));
        for (; !j.Bof(); j.MovePrevious()) {}
        QCOMPARE(erreur_de([&] { j.MovePrevious(); }), erreurs::AucunEnregistrement);

        // A middle row: the row that followed it becomes current.
        j.MoveFirst();
        j.MoveNext();
        j.Delete();
        QCOMPARE(j.AbsolutePosition(), -1);
        QCOMPARE(erreur_de([&] { j.valeur("nom_élève"); }), erreurs::AucunEnregistrement);
        j.MoveNext();
        QCOMPARE(nom(j), QString("Durand"));
        // The last row: the move passes the end, then the new last row is current.
        j.MoveLast();
        j.Delete();
        j.MoveNext();
        QVERIFY(j.Eof());
        j.MoveLast();
        QCOMPARE(nom(j), QString("Durand"));
        QCOMPARE(essai::compter(*base, "élèves"), 2);
        // The only row left: after it goes, there is no last record to move to.
        j.MoveFirst();
        j.Delete();
        j.MoveLast();
        j.Delete();
        j.MoveNext();
        QVERIFY(j.Eof() && j.Bof());
        QCOMPARE(erreur_de([&] { j.MoveLast(); }), erreurs::AucunEnregistrement);
        QCOMPARE(essai::compter(*base, "élèves"), 0);
    }

    void ajout_et_signets() {
        JeuEnregistrements j(base, "SELECT * FROM élèves ORDER BY matricule ASC");
        j.MoveLast();
        const QVariant avant = j.Bookmark();
        j.AddNew();
        QCOMPARE(j.AbsolutePosition(), -1);
        QCOMPARE(j.EditMode(), 2);
        QVERIFY(j.valeur("nom_élève").isNull());
        j.setValeur("matricule", "000011");
        j.setValeur("nom_élève", "Martin");
        j.setValeur("ainé", true);
        QCOMPARE(essai::compter(*base, "élèves"), 4);  // pending until Update
        j.Update();
        QCOMPARE(essai::compter(*base, "élèves"), 5);
        QCOMPARE(j.RecordCount(), 5);
        QCOMPARE(j.Bookmark(), avant);  // the record current before AddNew stays current
        j.setBookmark(j.LastModified());
        QCOMPARE(j.AbsolutePosition(), 4);
        QCOMPARE(nom(j), QString("Martin"));
        QCOMPARE(j.valeur("ainé"), QVariant(true));
        QCOMPARE(base->requete("SELECT \"ainé\" FROM \"élèves\" WHERE matricule = '000011'").lignes[0][0], QVariant(true));
        QCOMPARE(erreur_de([&] { j.setBookmark(QVariant(qlonglong(987654))); }), erreurs::SignetInvalide);
        // An AddNew abandoned by a move writes nothing.
        j.AddNew();
        j.setValeur("matricule", "000099");
        j.MoveFirst();
        QCOMPARE(essai::compter(*base, "élèves", "matricule = '000099'"), 0);
        QCOMPARE(erreur_de([&] { j.Update(); }), erreurs::MiseAJourSansEdition);
    }

    void valeurs_saisies_verifiees() {
        JeuEnregistrements j(base, "SELECT * FROM élèves ORDER BY matricule ASC");
        j.MoveFirst();
        const QString matricule = j.valeur("matricule").toString();
        const auto stocke = [&] {
            return base->requete("SELECT \"date_naissance_élève\" FROM \"élèves\" WHERE matricule = ?", {matricule}).lignes[0][0];
        };
        const QVariant origine = stocke();
        for (const char* faux : {"31/02/2020", "abc", "2020", "12/13/2020"}) {
            j.setValeur("date_naissance_élève", QString(faux));
            QCOMPARE(erreur_de([&] { j.Update(); }), erreurs::ConversionType);
            QCOMPARE(stocke(), origine);                           // nothing stored
            QCOMPARE(j.texte("date_naissance_élève"), QString(faux));  // the typed text is kept
            QCOMPARE(j.EditMode(), 1);
        }
        j.setValeur("date_naissance_élève", "1/2/2020");
        j.Update();
        QCOMPARE(base->requete("SELECT typeof(\"date_naissance_élève\"), \"date_naissance_élève\" || '' FROM \"élèves\" "
                               "WHERE matricule = ?", {matricule}).lignes[0],
                 (QVector<QVariant>{QString("text"), QString("2020-02-01")}));
        QCOMPARE(j.valeur("date_naissance_élève"), QVariant(QDate(2020, 2, 1)));
        QCOMPARE(j.texte("date_naissance_élève"), QString("01/02/2020"));
        j.setValeur("date_naissance_élève", "");
        j.Update();
        QVERIFY(stocke().isNull());

        // Too long for its declared width, a duplicate key: refused, nothing written.
        const int largeur = j.champs()[j.indexChamp("nom_élève")].longueurMax;
        QVERIFY(largeur > 0);
        j.setValeur("nom_élève", QString(largeur + 1, 'x'));
        QCOMPARE(erreur_de([&] { j.Update(); }), erreurs::ChampTropPetit);
        // The width counts characters: letters outside the 16-bit range are one each.
        const QString emoji = QString::fromUcs4(U"\U0001F600");
        j.setValeur("nom_élève", emoji.repeated(largeur));
        j.Update();
        QCOMPARE(j.valeur("nom_élève").toString(), emoji.repeated(largeur));
        j.setValeur("nom_élève", emoji.repeated(largeur + 1));
        QCOMPARE(erreur_de([&] { j.Update(); }), erreurs::ChampTropPetit);
        j.CancelUpdate();
        j.AddNew();
        j.setValeur("matricule", matricule);
        QCOMPARE(erreur_de([&] { j.Update(); }), erreurs::Doublon);
        QCOMPARE(essai::compter(*base, "élèves"), 4);
        QCOMPARE(essai::compter(*base, "élèves", QString("length(\"nom_élève\") > %1").arg(largeur)), 0);
    }

    void ordre_chronologique() {
        JeuEnregistrements j(base, "SELECT * FROM élèves ORDER BY date_naissance_élève DESC");
        QStringList ordre;
        for (int i = 0; i < j.RecordCount(); ++i) ordre << j.valeurLigne(i, j.indexChamp("nom_élève")).toString();
        QCOMPARE(ordre, (QStringList{"D'Artagnan", "Durand", "Émond", "Dupont"}));
    }

    void recherche() {
        JeuEnregistrements j(base, "SELECT * FROM élèves ORDER BY nom_élève DESC");
        j.MoveLast();
        j.FindFirst("nom_élève like 'D*'");  // from the first record of the current order
        QVERIFY(!j.NoMatch());
        QCOMPARE(nom(j), QString("Durand"));
        j.FindFirst("nom_élève like " + dialecte::entre_apostrophes("D'Art*"));
        QCOMPARE(nom(j), QString("D'Artagnan"));
        j.FindFirst("nom_élève like 'D''Art*'");
        QCOMPARE(nom(j), QString("D'Artagnan"));
        j.FindFirst("nom_élève like 'é*'");
        QCOMPARE(nom(j), QString("Émond"));
        j.FindFirst("matricule like '00001?' AND NOT prénom_élève = 'Zoé'");
        QCOMPARE(nom(j), QString("Dupont"));
        j.FindFirst("matricule like '42'");  // not padded: 42 does not find 000042
        QVERIFY(j.NoMatch());
        QCOMPARE(nom(j), QString("Dupont"));  // the current record stays
        QCOMPARE(erreur_de([&] { j.FindFirst("nom_élève like 'D'Artagnan*'"); }), erreurs::SyntaxeCritere);
        QCOMPARE(nom(j), QString("Dupont"));
        // A filtered source finds only in its rows.
        JeuEnregistrements f(base, "SELECT * FROM élèves WHERE matricule LIKE \"00000?\"");
        QCOMPARE(f.RecordCount(), 3);
        f.FindFirst("référence_famille = \"x\" OR nom_élève = \"Dupont\"");
        QVERIFY(f.NoMatch());
    }

    void autre_poste() {
        JeuEnregistrements j(base, "SELECT * FROM élèves ORDER BY matricule ASC");
        essai::AutrePoste autre(chemin);
        QCOMPARE(autre.executer("INSERT INTO \"élèves\" (matricule, \"nom_élève\") VALUES ('000000', 'Abel')"), SQLITE_OK);
        QCOMPARE(j.RecordCount(), 4);
        j.relire();
        QCOMPARE(j.RecordCount(), 5);
        QCOMPARE(nom(j), QString("Abel"));

        // A write refused while the other workstation holds the file: reported, kept, retried.
        j.MoveLast();
        j.setValeur("nom_élève", "Dupond");
        BaseDonnees::definirDelaiVerrou(150);
        QCOMPARE(autre.executer("BEGIN EXCLUSIVE"), SQLITE_OK);
        QCOMPARE(erreur_de([&] { j.Update(); }), erreurs::Verrouille);
        QCOMPARE(j.EditMode(), 1);
        QCOMPARE(nom(j), QString("Dupond"));
        autre.executer("ROLLBACK");
        BaseDonnees::definirDelaiVerrou(5000);
        j.Update();
        QCOMPARE(essai::compter(*base, "élèves", "\"nom_élève\" = 'Dupond'"), 1);

        // The record that the other workstation deleted meanwhile is not silently "saved".
        QCOMPARE(autre.executer("DELETE FROM \"élèves\" WHERE matricule = '000010'"), SQLITE_OK);
        j.setValeur("prénom_élève", "Paul");
        QCOMPARE(erreur_de([&] { j.Update(); }), erreurs::EnregistrementSupprime);
    }

    // Rows are read when visited: a row changed elsewhere shows its new fields, one deleted
    // elsewhere shows empty fields and refuses an edit; finds and bookmarks follow the
    // set's order after its own deletes and additions.
    void lignes_lues_a_la_visite() {
        JeuEnregistrements j(base, "SELECT * FROM élèves ORDER BY nom_élève ASC");
        essai::AutrePoste autre(chemin);
        QCOMPARE(autre.executer("UPDATE \"élèves\" SET \"prénom_élève\" = 'Aramis' WHERE matricule = '000003'"), SQLITE_OK);
        QCOMPARE(autre.executer("DELETE FROM \"élèves\" WHERE matricule = '000002'"), SQLITE_OK);
        QCOMPARE(j.RecordCount(), 4);
        QCOMPARE(j.valeurLigne(2, j.indexChamp("prénom_élève")).toString(), QString("Aramis"));
        j.MoveLast();
        QVERIFY(j.valeur("nom_élève").isNull());
        j.setValeur("nom_élève", "Émond");
        QCOMPARE(erreur_de([&] { j.Update(); }), erreurs::EnregistrementSupprime);
        j.CancelUpdate();

        j.MoveFirst();
        const QVariant dartagnan = j.Bookmark();
        j.MoveNext();
        j.Delete();  // Dupont
        j.AddNew();
        j.setValeur("nom_élève", "Abel");
        j.Update();
        const QVariant abel = j.LastModified();
        j.FindFirst("nom_élève like 'D*' OR nom_élève = 'Abel'");
        QCOMPARE(nom(j), QString("D'Artagnan"));  // first in the order; the added row comes last
        j.setBookmark(abel);
        QCOMPARE(j.AbsolutePosition(), 3);
        j.setBookmark(dartagnan);
        QCOMPARE(j.AbsolutePosition(), 0);
        j.FindFirst("nom_élève = 'Durand'");
        QCOMPARE(j.AbsolutePosition(), 1);
        QCOMPARE(j.valeur("prénom_élève").toString(), QString("Aramis"));
    }

    // Finding or sorting by a matricule and joining on a family reference use an index;
    // a file made before those indexes gets them when opened.
    void index_des_codes() {
        const auto plan = [&](const QString& sql) {
            QStringList r;
            for (const auto& l : base->requete("EXPLAIN QUERY PLAN " + sql).lignes) r << l.last().toString();
            return r.join(" | ");
        };
        const auto source = [](const QString& jet) {
            const dialecte::Source s = dialecte::source(jet);
            return "SELECT rowid FROM \"élèves\"" + (s.filtre.isEmpty() ? QString() : " WHERE " + s.filtre)
                   + (s.ordre.isEmpty() ? QString() : " ORDER BY " + s.ordre);
        };
        QVERIFY(!plan(source("SELECT * FROM élèves ORDER BY matricule")).contains("TEMP B-TREE"));
        QVERIFY(plan(source("SELECT * FROM élèves ORDER BY nom_élève, prénom_élève")).contains("TEMP B-TREE"));
        QVERIFY(plan("SELECT rowid FROM \"élèves\" WHERE " + dialecte::critere("matricule = \"000002\"")).contains("INDEX"));
        QVERIFY(plan("SELECT * FROM \"élèves\" e JOIN familles f ON f.\"référence_famille\" = e.\"référence_famille\" "
                     "WHERE e.matricule = '000002'").count("INDEX") == 2);
        // The family window's name searches read an index, not every page of the families.
        for (const char* champ : {"nom_responsable_légal", "nom_conjoint"})
            QVERIFY2(plan(QStringLiteral("SELECT rowid FROM familles WHERE ") +
                          dialecte::critere(QStringLiteral("%1 LIKE 'Dup*'").arg(QString::fromUtf8(champ))))
                         .contains("COVERING INDEX"),
                     champ);
        base.reset();
        {
            essai::AutrePoste ancien(chemin);
            QCOMPARE(ancien.executer("DROP INDEX \"élèves_matricule_recherche\""), SQLITE_OK);
        }
        base = BaseDonnees::ouvrir(chemin);
        QCOMPARE(essai::compter(*base, "sqlite_master", "name = 'élèves_matricule_recherche'"), 1);
    }

    // A French order is read without SQLite sorting the rows: the same order as SQLite's
    // collation gives, through accents, case, numbers, empty fields, both directions, several
    // terms and a filter; rows equal in every term follow their identities.
    void ordre_francais_comme_sqlite() {
        const QStringList noms = {"Émond", "emond", "EMOND", "Emond", "Dupont", "dupont", "", "Le Goff", "Legoff",
                                  "L'Hôte", "Classe 10", "Classe 2", "Classe 02", "Œuvre", "Oeuvre", "Zoé", "zoe",
                                  "Ærø", "Ñandú", "Durand", "Durand", "Émond"};
        base->Execute("DELETE * FROM élèves");
        for (int i = 0; i < 3 * noms.size(); ++i) {
            const QString nom = noms[(i * 7) % noms.size()];
            base->requete("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"prénom_élève\", \"ville_résidence\") "
                          "VALUES (?, ?, ?, ?)",
                          {QString::number(i), i % 5 == 0 ? QVariant() : QVariant(nom), noms[(i * 3) % noms.size()],
                           i % 4 ? QVariant(noms[i % 3]) : QVariant()});
        }
        for (const QString& jet :
             {QStringLiteral("SELECT * FROM élèves ORDER BY nom_élève ASC, prénom_élève ASC"),
              QStringLiteral("SELECT * FROM élèves ORDER BY nom_élève DESC, prénom_élève DESC"),
              QStringLiteral("SELECT * FROM élèves ORDER BY ville_résidence"),
              QStringLiteral("SELECT * FROM élèves ORDER BY ville_résidence DESC, nom_élève ASC"),
              QStringLiteral("SELECT * FROM élèves WHERE matricule <> '3' ORDER BY prénom_élève")}) {
            const dialecte::Source s = dialecte::source(jet);
            QStringList attendu, lu;
            for (const auto& l : base->requete("SELECT rowid FROM \"élèves\"" + (s.filtre.isEmpty() ? QString() : " WHERE " + s.filtre) +
                                               " ORDER BY " + s.ordre + ", rowid").lignes)
                attendu << l[0].toString();
            JeuEnregistrements j(base, jet);
            for (; !j.Eof(); j.MoveNext()) lu << j.Bookmark().toString();
            QCOMPARE(lu, attendu);
        }
    }

    // Another workstation deletes the last pupil and adds another, who gets the same row
    // identity: a write or delete begun before lands on nobody, and the typed values stay.
    void ecriture_sur_la_ligne_lue() {
        JeuEnregistrements j(base, "SELECT * FROM élèves");
        j.MoveLast();
        QCOMPARE(nom(j), QString("Dupont"));
        essai::AutrePoste autre(chemin);
        QCOMPARE(autre.executer("DELETE FROM \"élèves\" WHERE matricule = '000010'"), SQLITE_OK);
        QCOMPARE(autre.executer("INSERT INTO \"élèves\" (matricule, \"nom_élève\") VALUES ('000011', 'Martin')"), SQLITE_OK);
        QCOMPARE(essai::compter(*base, "élèves", "rowid = 4 AND matricule = '000011'"), 1);
        j.setValeur("prénom_élève", "Paul");
        const int numero = erreur_de([&] { j.Update(); });
        QCOMPARE(numero, erreurs::ModifieAilleurs);
        QVERIFY(texte_erreur(numero).contains("Cette fiche a été modifiée ou remplacée dans la base de données"));
        QCOMPARE(j.EditMode(), 1);
        QCOMPARE(j.valeur("prénom_élève").toString(), QString("Paul"));
        QCOMPARE(erreur_de([&] { j.Delete(); }), erreurs::ModifieAilleurs);
        QCOMPARE(essai::compter(*base, "élèves", "matricule = '000011' AND \"prénom_élève\" IS NULL"), 1);
        // A refresh shows the other workstation's version, which can then be written.
        j.CancelUpdate();
        j.relire();
        j.MoveLast();
        QCOMPARE(nom(j), QString("Martin"));
        j.setValeur("prénom_élève", "Paul");
        j.Update();
        j.Delete();
        QCOMPARE(essai::compter(*base, "élèves"), 3);
    }

    // Two workstations add one to the same field as fast as they can: every write either
    // lands on the value it read or is refused; none is lost.
    void increments_concurrents() {
        base->requete("UPDATE \"élèves\" SET \"champ_paramétable1\" = '0' WHERE matricule = '000001'");
        const int essais = 400;
        struct Compte { int reussis = 0, refuses = 0, autres = 0; };
        const auto marteler = [this, essais](Compte& c) {
            auto b = BaseDonnees::ouvrir(chemin);
            sqlite3_exec(b->poignee(), "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);  // speed only
            JeuEnregistrements j(b, "SELECT * FROM élèves WHERE matricule = '000001'");
            for (int i = 0; i < essais; ++i) {
                j.relire();
                j.setValeur("champ_paramétable1", QString::number(j.valeur("champ_paramétable1").toInt() + 1));
                std::this_thread::sleep_for(std::chrono::microseconds(200));  // the user typing
                try {
                    j.Update();
                    ++c.reussis;
                } catch (const Erreur& e) {
                    ++(e.numero == erreurs::ModifieAilleurs ? c.refuses : c.autres);
                }
            }
        };
        Compte a, b;
        std::thread autre([&] { marteler(b); });
        marteler(a);
        autre.join();
        const int total = base->requete("SELECT \"champ_paramétable1\" FROM \"élèves\" WHERE matricule = '000001'")
                              .lignes[0][0].toInt();
        const int reussis = a.reussis + b.reussis;
        qInfo("increments: %d tries, %d refused, %d other errors, %d written, %d lost", 2 * essais,
              a.refuses + b.refuses, a.autres + b.autres, reussis, reussis - total);
        QCOMPARE(a.autres + b.autres, 0);
        QCOMPARE(total, reussis);
        QVERIFY(a.refuses + b.refuses > 0 && reussis > 0);
    }

    // The self-extending lookup: a filter on the typed text, nothing found, a row added.
    void liste_filtree_puis_ajout() {
        const QString saisie = "rue \"Neuve\"";
        JeuEnregistrements j(base, "SELECT * FROM adresses WHERE détails LIKE " + dialecte::entre_guillemets(saisie));
        QVERIFY(j.Eof() && j.Bof());
        j.AddNew();
        j.setValeur(0, saisie);
        j.Update();
        j.setBookmark(j.LastModified());
        QCOMPARE(j.valeur("détails").toString(), saisie);
        JeuEnregistrements encore(base, "SELECT * FROM adresses WHERE détails LIKE " + dialecte::entre_guillemets(saisie));
        QCOMPARE(encore.RecordCount(), 1);
    }

    void apres_fermeture() {
        // Closing the database releases the file although a result set has read its rows.
        const auto ouvertures = [&] {
            int n = 0;
            for (const QFileInfo& f : QDir("/proc/self/fd").entryInfoList(QDir::System | QDir::Files))
                n += f.symLinkTarget() == QFileInfo(chemin).canonicalFilePath();
            return n;
        };
        {
            auto b = BaseDonnees::ouvrir(chemin);
            JeuEnregistrements lu(b, "SELECT * FROM élèves");
            lu.MoveLast();
            QVERIFY(!lu.valeur("nom_élève").isNull());
            QCOMPARE(ouvertures(), 2);  // this connection and the one of init()
            b->Close();
            QCOMPARE(ouvertures(), 1);
            QCOMPARE(erreur_de([&] { lu.valeur("nom_élève"); }), erreurs::ObjetInvalide);
        }
        JeuEnregistrements j(base, "SELECT * FROM élèves");
        j.Close();
        QCOMPARE(erreur_de([&] { j.MoveFirst(); }), erreurs::ObjetInvalide);
        JeuEnregistrements k(base, "SELECT * FROM élèves");
        base->Close();
        QCOMPARE(erreur_de([&] { k.Delete(); }), erreurs::ObjetInvalide);
        QCOMPARE(erreur_de([&] { JeuEnregistrements(base, "SELECT * FROM élèves"); }), erreurs::ObjetInvalide);
    }
};

int tester_jeu(int argc, char** argv) {
    TestJeu t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_jeu.moc"
