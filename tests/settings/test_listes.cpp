// The thirteen reference lists, opened as the menu opens them.
#include "banc.h"
#include "platform/forms/twips.h"
#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTest>

using namespace banc;

namespace {

struct Attendu {
    const char* menu;
    const char* fenetre;
    const char* table;
    const char* legende;
    QVector<std::pair<const char*, int>> colonnes;
};

const QVector<Attendu>& attendus() {
    static const QVector<Attendu> a = {
        {"menuparamètresindex6", "feuille_adresses", "adresses", "Tables des adresses (Rues avoisinantes)", {{"détails", 7575}}},
        {"menuparamètresindex7", "feuille_assurances", "assurances", "Tables des assurances", {{"détails", 7455}}},
        {"menuparamètresindex23", "feuille_assertions", "assertions", "Table des assertions", {{"détails", 7440}}},
        {"menuparamètresindex8", "feuille_csp", "csp", "Table des CSP (Catégories Socio-Professionnelles)",
         {{"code", 1140}, {"détails", 6360}}},
        {"menuparamètresindex19", "feuille_genres", "genres", "Table des genres", {{"détails", 7500}}},
        {"menuparamètresindex9", "feuille_hôpitaux", "hôpitaux", "Table des hôpitaux",
         {{"nom", 2085}, {"téléphone", 1680}, {"adresse", 1845}, {"ville", 1860}}},
        {"menuparamètresindex13", "feuille_langues_vivantes", "langues_vivantes", "Table des langues vivantes",
         {{"détails", 7455}}},
        {"menuparamètresindex12", "feuille_médecins", "médecins", "Table des médecins",
         {{"nom", 2100}, {"téléphone", 1680}, {"adresse", 1830}, {"ville", 1860}}},
        {"menuparamètresindex15", "feuille_nationalités", "nationalités", "Table des nationalités",
         {{"détails", 5700}, {"code", 1770}}},
        {"menuparamètresindex18", "feuille_niveaux", "niveaux", "Table des niveaux et des cycles",
         {{"code", 1185}, {"détails", 5280}, {"cycle", 1005}}},
        {"menuparamètresindex14", "feuille_sexe", "sexe", "Table des sexes", {{"détails", 7470}}},
        {"menuparamètresindex17", "feuille_situations_familiales", "situations_familiales",
         "Table des situations familiales", {{"détails", 7470}}},
        {"menuparamètresindex16", "feuille_villes", "villes", "Table des villes",
         {{"codes postaux", 1500}, {"détails", 5970}}},
    };
    return a;
}

}  // namespace

class TestListes : public QObject {
    Q_OBJECT
private slots:
    void chaque_liste_s_ouvre_du_menu_avec_ses_colonnes() {
        Base b;
        for (const Attendu& a : attendus()) {
            const QString fenetre = QString::fromUtf8(a.fenetre);
            menu(QString::fromUtf8(a.menu));
            QVERIFY2(forms::Feuilles::estChargee(fenetre), a.fenetre);
            forms::Feuille& f = feuille(fenetre);
            QVERIFY2(f.estAffichee(), a.fenetre);
            QCOMPARE(f.Caption(), QString::fromUtf8(a.legende));
            QVERIFY(!controle<db::ControleDonnees>(fenetre, "datPrimaryRS")->isVisibleTo(&f));
            QVERIFY(controle<QPushButton>(fenetre, "bouton_accepter")->isHidden());
            auto* grille = controle<forms::GrilleDonnees>(fenetre, "grdDataGrid");
            QCOMPARE(grille->model()->columnCount(), a.colonnes.size());
            for (int c = 0; c < a.colonnes.size(); ++c) {
                QCOMPARE(grille->model()->headerData(c, Qt::Horizontal).toString(),
                         QString::fromUtf8(a.colonnes[c].first));
                QCOMPARE(grille->columnWidth(c), forms::pixels(a.colonnes[c].second));
            }
            // Rows of the table, and the new-row line when the table is empty.
            const int lignes = b.compte(QString::fromUtf8(a.table));
            QCOMPARE(jeu(fenetre).RecordCount(), lignes);
            cliquer(fenetre, "cmdFermer");
            QVERIFY(!forms::Feuilles::estChargee(fenetre));
        }
    }

    void une_table_vide_n_est_ecrite_qu_a_la_validation() {
        Base b;
        QCOMPARE(b.compte("villes"), 0);
        menu(QStringLiteral("menuparamètresindex16"));
        QCOMPARE(jeu(QStringLiteral("feuille_villes")).EditMode(), 2);
        QCOMPARE(b.compte("villes"), 0);
        cliquer(QStringLiteral("feuille_villes"), "cmdMettreàjour");
        QCOMPARE(b.compte("villes"), 1);
        QVERIFY(b.boites->vues.isEmpty());
    }

    void une_table_vide_fermee_sans_validation_reste_vide() {
        Base b;
        menu(QStringLiteral("menuparamètresindex6"));
        cliquer(QStringLiteral("feuille_adresses"), "cmdFermer");
        QCOMPARE(b.compte("adresses"), 0);
    }

    void la_grille_ecrit_une_cellule_modifiee() {
        Base b;
        b.ecrire(QStringLiteral("INSERT INTO adresses (\"détails\") VALUES ('rue des Lilas')"));
        menu(QStringLiteral("menuparamètresindex6"));
        auto* grille = controle<forms::GrilleDonnees>(QStringLiteral("feuille_adresses"), "grdDataGrid");
        grille->setCol(0);
        grille->setText(QStringLiteral("rue des Roses"));
        cliquer(QStringLiteral("feuille_adresses"), "cmdMettreàjour");
        QCOMPARE(b.lire(QStringLiteral("SELECT \"détails\" FROM adresses")).lignes.value(0).value(0).toString(),
                 QStringLiteral("rue des Roses"));
    }

    // Escape closes a list; Tab takes the keyboard out of its grid.
    void les_touches_d_une_liste() {
        Base b;
        b.ecrire(QStringLiteral("INSERT INTO adresses (\"détails\") VALUES ('rue A'), ('rue B')"));
        menu(QStringLiteral("menuparamètresindex6"));
        const QString fenetre = QStringLiteral("feuille_adresses");
        auto* grille = controle<forms::GrilleDonnees>(fenetre, "grdDataGrid");
        grille->setFocus();
        traiter();
        QCOMPARE(focalise(fenetre), grille);
        QTest::keyClick(grille, Qt::Key_Tab);
        traiter();
        QVERIFY(focalise(fenetre) != grille);
        QTest::keyClick(&feuille(fenetre), Qt::Key_Escape);
        traiter();
        QVERIFY(!forms::Feuilles::estChargee(fenetre));
    }
};

int tester_listes(int argc, char** argv) {
    TestListes t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_listes.moc"
