// The statements' dialect as the windows write it, checked by what the statements find in a
// copy of the template, plus the LIKE patterns on their own.
#include "db/outils.h"
#include "platform/db/dialecte.h"
#include "platform/db/jeu_enregistrements.h"

using namespace db;
using essai::erreur_de;

class TestDialecte : public QObject {
    Q_OBJECT
    QTemporaryDir dossier;
    std::shared_ptr<BaseDonnees> base;

    QStringList details(const QString& source) {
        JeuEnregistrements j(base, source);
        QStringList r;
        for (int i = 0; i < j.RecordCount(); ++i) r << j.valeurLigne(i, j.indexChamp("détails")).toString();
        return r;
    }

private slots:
    void initTestCase() {
        base = BaseDonnees::ouvrir(test::copie_modele(dossier));
        base->Execute("DELETE * FROM adresses");
        for (const char* a : {"rue de l'Église", "Rue du Moulin", "avenue Foch", "rue \"des\" Lilas", "allée 12",
                              "ÉCOLE", "école [annexe]"})
            base->requete("INSERT INTO adresses (\"détails\") VALUES (?)", {QString::fromUtf8(a)});
    }

    void sources_des_fenetres_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("tout") << "SELECT * FROM adresses" << QStringList{};
        QTest::newRow("préfixe, casse ignorée") << "SELECT * FROM adresses WHERE détails LIKE \"rue*\" ORDER BY détails ASC"
                                                << QStringList{"rue \"des\" Lilas", "rue de l'Église", "Rue du Moulin"};
        QTest::newRow("guillemet doublé") << "SELECT * FROM adresses WHERE détails LIKE \"rue \"\"des\"\" Lilas\""
                                          << QStringList{"rue \"des\" Lilas"};
        QTest::newRow("apostrophe dans des guillemets") << "SELECT * FROM adresses WHERE détails LIKE \"rue de l'Église\""
                                                        << QStringList{"rue de l'Église"};
        QTest::newRow("accent majuscule") << "SELECT * FROM adresses WHERE détails LIKE \"école*\" ORDER BY détails DESC"
                                          << QStringList{"école [annexe]", "ÉCOLE"};
        QTest::newRow("chiffre #") << "SELECT * FROM adresses WHERE détails LIKE \"allée ##\"" << QStringList{"allée 12"};
        QTest::newRow("classe et ?") << "SELECT * FROM adresses WHERE détails LIKE \"[a-b]?enue*\"" << QStringList{"avenue Foch"};
        QTest::newRow("classe niée") << "SELECT * FROM adresses WHERE détails LIKE \"[!r]*\" AND NOT détails LIKE \"é*\""
                                     << QStringList{"avenue Foch", "allée 12"};
        QTest::newRow("OR et parenthèses") << "SELECT * FROM adresses WHERE (détails = \"ÉCOLE\" OR détails = 'avenue Foch') AND True"
                                           << QStringList{"avenue Foch", "ÉCOLE"};
        QTest::newRow("crochet ouvert littéral") << "SELECT * FROM adresses WHERE détails LIKE \"*[annexe\""
                                                 << QStringList{};
        QTest::newRow("crochet fermé par une classe") << "SELECT * FROM adresses WHERE détails LIKE \"*[[]annexe]\""
                                                      << QStringList{"école [annexe]"};
    }
    void sources_des_fenetres() {
        QFETCH(QString, source);
        QFETCH(QStringList, attendu);
        const QStringList trouves = details(source);
        if (attendu.isEmpty() && source == "SELECT * FROM adresses") QCOMPARE(trouves.size(), 7);
        else if (source.contains("ORDER BY")) QCOMPARE(trouves, attendu);
        else { QStringList a = attendu, t = trouves; a.sort(); t.sort(); QCOMPARE(t, a); }
    }

    void suppression_de_toute_une_table() {
        QTemporaryDir autre;
        auto b = BaseDonnees::ouvrir(test::copie_modele(autre));
        QVERIFY(essai::compter(*b, "villes") + essai::compter(*b, "sexe") > 0);
        b->Execute("DELETE * FROM villes");
        b->Execute("delete * from [sexe];");
        QCOMPARE(essai::compter(*b, "villes"), 0);
        QCOMPARE(essai::compter(*b, "sexe"), 0);
    }

    // Whatever the user typed, put through the quoting, is looked for as typed and never
    // changes the statement.
    void valeurs_saisies_citees() {
        const QStringList saisies = {"rue de l'Église", "rue \"des\" Lilas", "x' OR 'a' = 'a", "x\" OR \"a\" = \"a"};
        for (const QString& s : saisies) {
            const QStringList parGuillemets = details("SELECT * FROM adresses WHERE détails LIKE " + dialecte::entre_guillemets(s));
            const bool existe = s.startsWith("rue");
            QCOMPARE(parGuillemets, existe ? QStringList{s} : QStringList{});
            JeuEnregistrements j(base, "SELECT * FROM adresses ORDER BY détails ASC");
            j.FindFirst("détails like " + dialecte::entre_apostrophes(s));
            QCOMPARE(j.NoMatch(), !existe);
            if (existe) QCOMPARE(j.valeur("détails").toString(), s);
        }
        QCOMPARE(dialecte::entre_apostrophes("D'Art*"), QString("'D''Art*'"));
        QCOMPARE(dialecte::entre_guillemets("dit \"le\""), QString("\"dit \"\"le\"\"\""));
    }

    void textes_mal_formes_refuses() {
        for (const char* t : {"SELECT * FROM adresses WHERE détails LIKE \"rue", "SELECT FROM adresses",
                              "SELECT * FROM adresses WHERE", "SELECT * FROM adresses WHERE détails LIKE \"a\" \"b\"",
                              "DELETE adresses", "SELECT * FROM adresses ORDER BY", "DROP TABLE adresses",
                              "SELECT * FROM adresses; DELETE * FROM adresses", "SELECT * FROM adresses WHERE a = %", ""})
            QCOMPARE(erreur_de([&] { dialecte::instruction(QString::fromUtf8(t)); }), erreurs::SyntaxeRequete);
        QCOMPARE(erreur_de([&] { base->Execute("DELETE * FROM adresses WHERE détails = \"a"); }), erreurs::SyntaxeRequete);
        QCOMPARE(essai::compter(*base, "adresses"), 7);
        for (const char* c : {"matricule like '00*", "nom_élève like", "= 'a'", "a = 'b' AND", "a = 'b')", "a ='x' 'y'"})
            QCOMPARE(erreur_de([&] { dialecte::critere(QString::fromUtf8(c)); }), erreurs::SyntaxeCritere);
        // Nesting without end is refused, not a stack overflow; a reasonable depth still works.
        const auto imbrique = [](int n, const QString& prefixe, const QString& suffixe) {
            return prefixe.repeated(n) + "a = 'b'" + suffixe.repeated(n);
        };
        QCOMPARE(erreur_de([&] { dialecte::critere(imbrique(10000, "(", ")")); }), erreurs::SyntaxeCritere);
        QCOMPARE(erreur_de([&] { dialecte::critere(imbrique(10000, "NOT ", "")); }), erreurs::SyntaxeCritere);
        QCOMPARE(erreur_de([&] { dialecte::instruction("DELETE * FROM adresses WHERE " + imbrique(10000, "(", ")")); }),
                 erreurs::SyntaxeRequete);
        QCOMPARE(dialecte::critere(imbrique(50, "(", ")")), imbrique(50, "(", ")").replace("a =", "\"a\" ="));
    }

    void motifs_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("motif");
        QTest::addColumn<bool>("correspond");
        QTest::newRow("étoile") << "Dupont" << "d*" << true;
        QTest::newRow("étoile au milieu") << "abcbd" << "a*b?" << true;
        QTest::newRow("étoile non finale") << "abcd" << "*c" << false;
        QTest::newRow("É et é") << "Émile" << "é*" << true;
        QTest::newRow("é et E") << "Emile" << "é*" << true;
        QTest::newRow("e et É") << "ÉLOÏSE" << "elo?se" << true;
        QTest::newRow("œ et oe") << "Cœur" << "coeur" << true;
        QTest::newRow("ç majuscule") << "FRANÇOIS" << "françois" << true;
        QTest::newRow("?") << "abc" << "a?c" << true;
        QTest::newRow("? un seul") << "abbc" << "a?c" << false;
        QTest::newRow("#") << "a1c" << "a#c" << true;
        QTest::newRow("# pas une lettre") << "abc" << "a#c" << false;
        QTest::newRow("liste") << "b" << "[abc]" << true;
        QTest::newRow("plage niée") << "d" << "[!a-c]" << true;
        QTest::newRow("plage niée refuse") << "B" << "[!a-c]" << false;
        QTest::newRow("étoile littérale") << "a*b" << "a[*]b" << true;
        QTest::newRow("étoile littérale refuse") << "axb" << "a[*]b" << false;
        QTest::newRow("vide") << "" << "*" << true;
        QTest::newRow("exact") << "000042" << "42" << false;
    }
    void motifs() {
        QFETCH(QString, texte);
        QFETCH(QString, motif);
        QFETCH(bool, correspond);
        QCOMPARE(dialecte::correspond(texte, motif), correspond);
    }

    // A typed text keeps "*" and "?" as wildcards; everything else stands for itself.
    void motifs_tapes() {
        const auto tape = [](const QString& texte, const QString& saisi) {
            return dialecte::correspond(texte, dialecte::motif_tape(saisi));
        };
        QVERIFY(tape("Appt #3", "Appt #3"));
        QVERIFY(!tape("Appt 13", "Appt #3"));
        QVERIFY(tape("Bât. [A]", "bât. [a]"));
        QVERIFY(!tape("Bât. A", "Bât. [A]"));
        QVERIFY(tape("[a-z] et [!x]", "[a-z]*[!x]"));
        QVERIFY(!tape("b", "[a-z]"));
        QVERIFY(tape("rue #12 bis", "rue ?12*"));
    }
};

int tester_dialecte(int argc, char** argv) {
    TestDialecte t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_dialecte.moc"
