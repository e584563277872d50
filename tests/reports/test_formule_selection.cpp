// The cycle, level and class filter as the report control receives it.
#include "environnement_reports.h"
#include "essais.h"
#include "reports/formule_selection.h"

namespace {

const QString Cycle = QStringLiteral("{élèves.cycle_classe_élève} = ");
const QString Niveau = QStringLiteral("{élèves.niveau_classe_élève} = ");
const QString Classe = QStringLiteral("{élèves.référence_classe_élève} = ");
QString cite(const QString& t) { return '"' + t + '"'; }

class EssaiFormuleSelection : public QObject {
    Q_OBJECT
    QTemporaryDir dossier_;

private slots:
    void initTestCase() {
        QVERIFY(essai::preparer(dossier_));
        forms::installer_repondeur_scripte();
    }
    void init() { forms::Feuilles::toutDecharger(); }

    void huit_cas_data() {
        QTest::addColumn<QString>("cycle");
        QTest::addColumn<QString>("niveau");
        QTest::addColumn<QString>("classe");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("aucun filtre") << "TOUS" << "TOUS" << "TOUTES" << "";
        QTest::newRow("cycle") << "2" << "TOUS" << "TOUTES" << Cycle + cite("2");
        QTest::newRow("niveau") << "TOUS" << "CE1" << "TOUTES" << Niveau + cite("CE1");
        QTest::newRow("classe") << "TOUS" << "TOUS" << "3" << Classe + cite("3");
        QTest::newRow("cycle et niveau") << "3" << "CM1" << "TOUTES"
                                         << Cycle + cite("3") + " AND " + Niveau + cite("CM1");
        QTest::newRow("cycle et classe") << "1" << "TOUS" << "2"
                                         << Cycle + cite("1") + " AND " + Classe + cite("2");
        QTest::newRow("niveau et classe") << "TOUS" << "GS" << "2"
                                          << Niveau + cite("GS") + " AND " + Classe + cite("2");
        QTest::newRow("les trois") << "2" << "CP" << "4"
                                   << Cycle + cite("2") + " AND " + Niveau + cite("CP") + " AND " +
                                          Classe + cite("4");
        // The "all" words are exact and belong to their own box.
        QTest::newRow("TOUTES au niveau") << "TOUS" << "TOUTES" << "TOUTES" << Niveau + cite("TOUTES");
        QTest::newRow("TOUS à la classe") << "TOUS" << "TOUS" << "TOUS" << Classe + cite("TOUS");
        QTest::newRow("minuscules") << "tous" << "TOUS" << "TOUTES" << Cycle + cite("tous");
        QTest::newRow("blanc final") << "TOUS " << "TOUS" << "TOUTES" << Cycle + cite("TOUS ");
        QTest::newRow("boîte vidée") << "" << "TOUS" << "TOUTES" << Cycle + "\"\"";
        // A typed double quote is doubled: the value is looked for as typed.
        QTest::newRow("guillemet tapé") << "TOUS" << "TOUS" << "CL\"01" << Classe + "\"CL\"\"01\"";
        QTest::newRow("tentative") << "TOUS" << "TOUS" << "x\" OR \"1\"=\"1"
                                   << Classe + "\"x\"\" OR \"\"1\"\"=\"\"1\"";
    }
    void huit_cas() {
        QFETCH(QString, cycle);
        QFETCH(QString, niveau);
        QFETCH(QString, classe);
        QFETCH(QString, attendu);
        essai::filtre(cycle, niveau, classe);
        report::CrystalReport1().setSelectionFormula(QStringLiteral("{élèves.ainé} = True"));
        Module1::construire_formule_selection();
        QCOMPARE(report::CrystalReport1().SelectionFormula(), attendu);
    }

    // Called with the window never opened: it is loaded unshown, its boxes hold the "all"
    // values, and a selection left by an earlier print is cleared.
    void fenetre_non_chargee() {
        QVERIFY(!forms::Feuilles::estChargee(noms::traitements));
        report::CrystalReport1().setSelectionFormula(QStringLiteral("{élèves.ainé} = True"));
        Module1::construire_formule_selection();
        QCOMPARE(report::CrystalReport1().SelectionFormula(), QString());
        QVERIFY(forms::Feuilles::estChargee(noms::traitements));
        QVERIFY(!essai::traitements().estAffichee());
    }
};

}  // namespace

QObject* essai_formule_selection() { return new EssaiFormuleSelection; }

#include "test_formule_selection.moc"
