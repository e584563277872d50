// The data-bound grid on a real blank database: rows, the new-row line, writes, refusals,
// deletion, the picker's Col/Text, and a large table.
#include "commun/base_test.h"
#include "platform/forms/controle_donnees.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/grille_donnees.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/twips.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace forms;

class TestGrille : public QObject {
    Q_OBJECT
    QTemporaryDir dossier;
    QString chemin;
    std::unique_ptr<QWidget> fenetre;
    forms::ControleDonnees* controle = nullptr;
    GrilleDonnees* grille = nullptr;
    RepondeurScripte* repondeur = nullptr;

    db::JeuEnregistrements& rs() { return controle->Recordset(); }
    QAbstractItemModel* m() { return grille->model(); }
    QString cellule(int l, int c) { return m()->index(l, c).data().toString(); }
    QStringList codesEnBase() {
        QStringList codes;
        for (const auto& l : controle->Database().requete("SELECT code FROM csp ORDER BY rowid").lignes)
            codes << l[0].toString();
        return codes;
    }
    // The editor open in the grid (closed ones linger until deleted).
    QLineEdit* editeurOuvert() {
        for (QLineEdit* e : grille->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible()) return e;
        return nullptr;
    }
    void taper(int ligne, int colonne, const QString& texte) {
        const QModelIndex i = m()->index(ligne, colonne);
        grille->setCurrentIndex(i);
        grille->edit(i);
        QLineEdit* editeur = editeurOuvert();
        QVERIFY(editeur);
        editeur->setText(texte);
        QTest::keyClick(editeur, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

private slots:
    void init() {
        repondeur = &installer_repondeur_scripte();
        chemin = test::copie_modele(dossier);
        QVERIFY(!chemin.isEmpty());
        fenetre = std::make_unique<QWidget>();
        controle = new forms::ControleDonnees(fenetre.get());
        grille = new GrilleDonnees(fenetre.get());
        grille->setObjectName("grdDataGrid");
        grille->resize(600, 400);
        controle->setDatabaseName(chemin);
        controle->setRecordSource("SELECT * FROM csp");
        controle->Refresh();
        grille->lier(controle);
        grille->definirColonnes({{"code", "code", 1140}, {"détails", "détails", 6360}});
        fenetre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
    }
    void cleanup() {
        fenetre.reset();
        definir_pointeur_souris(0);
    }

    void lignes_colonnes_et_ligne_nouvelle() {
        const int n = rs().RecordCount();
        QVERIFY(n > 5);
        QCOMPARE(m()->rowCount(), n + 1);
        QCOMPARE(m()->headerData(0, Qt::Horizontal).toString(), QString("code"));
        QCOMPARE(m()->headerData(1, Qt::Horizontal).toString(), QString("détails"));
        QCOMPARE(grille->columnWidth(0), pixels(1140));
        QCOMPARE(grille->columnWidth(1), pixels(6360));
        const int det = rs().indexChamp("détails");
        QCOMPARE(cellule(0, 1), rs().valeurLigne(0, det).toString());
        QCOMPARE(cellule(n - 1, 1), rs().valeurLigne(n - 1, det).toString());
        QCOMPARE(cellule(n, 0), QString());
        QCOMPARE(m()->headerData(n, Qt::Vertical).toString(), QString("*"));
        QVERIFY(!grille->tabKeyNavigation());
    }

    void ligne_courante_et_enregistrement_courant() {
        QCOMPARE(grille->currentIndex().row(), 0);
        rs().MoveLast();
        QCOMPARE(grille->currentIndex().row(), rs().RecordCount() - 1);
        grille->scrollTo(m()->index(2, 1));
        QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, grille->visualRect(m()->index(2, 1)).center());
        QCOMPARE(rs().AbsolutePosition(), 2);
        QCOMPARE(grille->Col(), 1);
        QCOMPARE(grille->Text(), rs().texte("détails"));
        grille->setCol(0);
        QCOMPARE(grille->Text(), rs().texte("code"));
    }

    void modifier_une_cellule_ecrit_aussitot() {
        taper(1, 1, "Artisans du bâtiment");
        QCOMPARE(rs().AbsolutePosition(), 1);
        QCOMPARE(rs().EditMode(), 0);
        const auto l = controle->Database().requete("SELECT \"détails\" FROM csp ORDER BY rowid LIMIT 1 OFFSET 1").lignes;
        QCOMPARE(l[0][0].toString(), QString("Artisans du bâtiment"));
        QCOMPARE(cellule(1, 1), QString("Artisans du bâtiment"));
        QVERIFY(repondeur->vues.isEmpty());
        QCOMPARE(pointeur_souris(), 0);
    }

    // Tab in a cell's editor writes the cell and leaves the grid for the next control; a
    // refused write keeps the user in the cell.
    void tabulation_quitte_la_grille() {
        auto* suivant = new QLineEdit(fenetre.get());
        suivant->show();
        QWidget::setTabOrder(grille, suivant);
        const QModelIndex i = m()->index(0, 1);
        grille->setCurrentIndex(i);
        grille->edit(i);
        QLineEdit* editeur = editeurOuvert();
        QVERIFY(editeur);
        editeur->setText("Agriculteurs exploitants");
        QTest::keyClick(editeur, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(cellule(0, 1), QString("Agriculteurs exploitants"));
        QVERIFY(!editeurOuvert());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(suivant));

        connect(controle, &forms::ControleDonnees::Error, this, [](int, int* reponse) { *reponse = 0; });
        const QModelIndex code = m()->index(0, 0);
        grille->setFocus();
        grille->setCurrentIndex(code);
        grille->edit(code);
        editeur = editeurOuvert();
        QVERIFY(editeur);
        editeur->setText("ABC");  // the code takes two characters at most
        QTest::keyClick(editeur, Qt::Key_Tab);
        QTRY_VERIFY(editeurOuvert());
        QCOMPARE(editeurOuvert()->text(), QString("ABC"));
        QVERIFY(QApplication::focusWidget() != suivant);
    }

    void ligne_nouvelle_ajoute_et_y_reste() {
        const int n = rs().RecordCount();
        grille->allerSurLigneNouvelle();
        QVERIFY(grille->surLigneNouvelle());
        QCOMPARE(rs().AbsolutePosition(), -1);
        QVERIFY(rs().Eof());
        taper(n, 0, "99");
        QCOMPARE(rs().RecordCount(), n + 1);
        QCOMPARE(codesEnBase().size(), n + 1);
        QCOMPARE(codesEnBase().last(), QString("99"));
        QCOMPARE(rs().AbsolutePosition(), n);
        QCOMPARE(grille->currentIndex().row(), n);
        QCOMPARE(m()->rowCount(), n + 2);
        // Only one record for one entry, and its wording goes into the same record.
        taper(n, 1, "Divers");
        QCOMPARE(rs().RecordCount(), n + 1);
        QCOMPARE(rs().texte("détails"), QString("Divers"));
        // An empty entry on the new-row line adds nothing.
        QVERIFY(!m()->setData(m()->index(n + 1, 0), QString(), Qt::EditRole));
        QCOMPARE(rs().RecordCount(), n + 1);
    }

    void ecriture_refusee_montree_et_texte_garde() {
        const int n = rs().RecordCount();
        int numero = 0;
        connect(controle, &forms::ControleDonnees::Error, this, [&](int e, int* reponse) {
            numero = e;
            *reponse = 0;
        });
        // The code takes two characters at most.
        QVERIFY(!m()->setData(m()->index(n, 0), QString("123"), Qt::EditRole));
        QCOMPARE(numero, int(db::erreurs::ChampTropPetit));
        QCOMPARE(rs().RecordCount(), n);
        QCOMPARE(codesEnBase().size(), n);
        QCOMPARE(rs().EditMode(), 0);
        QTRY_VERIFY(editeurOuvert());
        QLineEdit* editeur = editeurOuvert();
        QCOMPARE(editeur->text(), QString("123"));
        QCOMPARE(grille->currentIndex().row(), n);
        QTest::keyClick(editeur, Qt::Key_Escape);

        // The same refusal on a record's row, without a handler taking it: a box says why.
        disconnect(controle, &forms::ControleDonnees::Error, this, nullptr);
        const QString avant = cellule(0, 0);
        QVERIFY(!m()->setData(m()->index(0, 0), QString("ABC"), Qt::EditRole));
        QCOMPARE(repondeur->vues.size(), 1);
        QVERIFY(repondeur->derniere().texte.startsWith(db::texte_erreur(db::erreurs::ChampTropPetit)));
        QCOMPARE(cellule(0, 0), avant);
        QCOMPARE(codesEnBase().first(), avant);
        QCOMPARE(rs().EditMode(), 0);
    }

    void touche_suppr() {
        const QStringList avant = codesEnBase();
        grille->setFocus();
        grille->setCurrentIndex(m()->index(1, 0));
        QCOMPARE(rs().AbsolutePosition(), 1);
        QTest::keyClick(grille, Qt::Key_Delete);
        QStringList attendu = avant;
        attendu.removeAt(1);
        QCOMPARE(codesEnBase(), attendu);
        QCOMPARE(rs().RecordCount(), avant.size() - 1);
        QCOMPARE(rs().texte("code"), avant[2]);  // the row that followed
        QCOMPARE(grille->currentIndex().row(), 1);
        QCOMPARE(m()->rowCount(), avant.size());
        // Last row: the new last row becomes current.
        grille->setCurrentIndex(m()->index(rs().RecordCount() - 1, 0));
        QTest::keyClick(grille, Qt::Key_Delete);
        QCOMPARE(rs().texte("code"), attendu[attendu.size() - 2]);
        // On the new-row line there is nothing to delete.
        grille->allerSurLigneNouvelle();
        QTest::keyClick(grille, Qt::Key_Delete);
        QCOMPARE(codesEnBase().size(), avant.size() - 2);
        QVERIFY(repondeur->vues.isEmpty());
    }

    void texte_ecrit_par_le_code_apres_ajout() {
        const int n = rs().RecordCount();
        rs().AddNew();
        grille->setCol(1);
        grille->setText("Retraités");
        QCOMPARE(cellule(n, 1), QString("Retraités"));  // shown on the new-row line meanwhile
        controle->UpdateRecord();
        QCOMPARE(rs().RecordCount(), n + 1);
        QCOMPARE(controle->Database().requete("SELECT count(*) FROM csp WHERE \"détails\" = 'Retraités'").lignes[0][0].toInt(), 1);
    }

    void relais_et_lecture_seule() {
        QSignalSpy relais(grille, &GrilleDonnees::relais);
        const int n = rs().RecordCount();
        QTest::mouseDClick(grille->viewport(), Qt::LeftButton, {}, grille->visualRect(m()->index(0, 0)).center());
        QCOMPARE(relais.count(), 1);
        grille->scrollTo(m()->index(n, 0));
        QTest::mouseDClick(grille->viewport(), Qt::LeftButton, {}, grille->visualRect(m()->index(n, 0)).center());
        QCOMPARE(relais.count(), 1);

        grille->definirLectureSeule(true);
        QCOMPARE(m()->rowCount(), n);
        QVERIFY(!(m()->flags(m()->index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!m()->setData(m()->index(0, 0), QString("77"), Qt::EditRole));
        grille->setCurrentIndex(m()->index(0, 0));
        QTest::keyClick(grille, Qt::Key_Delete);
        QCOMPARE(rs().RecordCount(), n);
    }

    void dix_mille_lignes() {
        controle->Database().requete(
            "INSERT INTO villes (code_postal, \"détails\") "
            "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 10000) "
            "SELECT printf('%05d', x), 'Ville ' || x FROM n");
        controle->setRecordSource("SELECT * FROM villes");
        controle->Refresh();
        grille->definirColonnes({{"codes postaux", "code_postal", 1500}, {"détails", "détails", 5970}});
        QCOMPARE(m()->rowCount(), 10001);
        grille->setCurrentIndex(m()->index(9000, 1));
        QCOMPARE(rs().AbsolutePosition(), 9000);
        QCOMPARE(grille->Text(), QString("Ville 9001"));
        grille->allerSurLigneNouvelle();
        QCOMPARE(rs().AbsolutePosition(), -1);
        QVERIFY(m()->setData(m()->index(10000, 0), QString("75001"), Qt::EditRole));
        QCoreApplication::processEvents();
        QCOMPARE(grille->currentIndex().row(), 10000);
    }
};

QObject* suite_grille() { return new TestGrille; }

#include "test_grille.moc"
