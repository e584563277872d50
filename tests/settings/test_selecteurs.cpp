// Pickers opened from the choice buttons of the school, inspection and teaching-team windows.
#include "banc.h"
#include "shell/module1.h"
#include <QTabWidget>
#include <QTest>

using namespace banc;

namespace {

const QString Ecole = QStringLiteral("feuille_école");
const QString Inspection = QStringLiteral("feuille_inspection");
const QString Equipe = QStringLiteral("feuille_équipe");
const QString Villes = QStringLiteral("feuille_villes");
const QString Genres = QStringLiteral("feuille_genres");
const QString Adresses = QStringLiteral("feuille_adresses");

void preparer_listes(const Base& b) {
    b.ecrire(QStringLiteral("INSERT INTO villes (code_postal, \"détails\") VALUES "
                            "('69001', 'Lyon'), ('44000', 'Nantes'), ('14000', 'Caen')"));
    b.ecrire(QStringLiteral("INSERT INTO adresses (\"détails\") VALUES ('rue des Lilas'), ('place du Marché')"));
}

bool accepter_visible(const QString& selecteur) {
    return !controle<QPushButton>(selecteur, "bouton_accepter")->isHidden();
}

}  // namespace

class TestSelecteurs : public QObject {
    Q_OBJECT
private slots:
    // Both "ville" and "c.postal" of each caller fill postcode and town, then move the focus.
    void la_liste_des_villes_remplit_chaque_appelant() {
        struct Cas { QString menu, fenetre, bouton, postal, ville, focus; qint16 code; };
        const QVector<Cas> cas = {
            {"menuparamètresindex2", Ecole, "Command7", "code_postal_école", "ville_école", "téléphone_école", 4},
            {"menuparamètresindex2", Ecole, "Command9", "code_postal_école", "ville_école", "téléphone_école", 4},
            {"menuparamètresindex1", Inspection, "Command7", "code_postal_inspection", "ville_inspection",
             "téléphone_inspection", 5},
            {"menuparamètresindex1", Inspection, "Command9", "code_postal_inspection", "ville_inspection",
             "téléphone_inspection", 5},
            {"menuparamètresindex3", Equipe, "Command7", "code_postal_enseignant", "ville_enseignant",
             "téléphone1_enseignant", 6},
            {"menuparamètresindex3", Equipe, "Command9", "code_postal_enseignant", "ville_enseignant",
             "téléphone1_enseignant", 6},
        };
        for (const Cas& c : cas) {
            Base b;
            preparer_listes(b);
            menu(c.menu);
            cliquer(c.fenetre, c.bouton);
            QVERIFY(feuille(Villes).estAffichee());
            QVERIFY(accepter_visible(Villes));
            QCOMPARE(Module1::code_appelant, c.code);
            jeu(Villes).MoveNext();
            cliquer(Villes, "bouton_accepter");
            QCOMPARE(texte(c.fenetre, c.postal), QStringLiteral("44000"));
            QCOMPARE(texte(c.fenetre, c.ville), QStringLiteral("Nantes"));
            QVERIFY(!forms::Feuilles::estChargee(Villes));
            QCOMPARE(focalise(c.fenetre)->objectName(), c.focus);
            QVERIFY(b.boites->vues.isEmpty());
        }
    }

    void le_genre_du_directeur_tourne_l_onglet() {
        Base b;
        menu(QStringLiteral("menuparamètresindex2"));
        auto* onglets = controle<QTabWidget>(Ecole, "SSTab1");
        QCOMPARE(onglets->currentIndex(), 0);
        cliquer(Ecole, "Command3");
        jeu(Genres).MoveNext();
        cliquer(Genres, "bouton_accepter");
        QCOMPARE(texte(Ecole, "genre_directeur"), QStringLiteral("Madame"));
        QCOMPARE(focalise(Ecole)->objectName(), QStringLiteral("prénom_directeur"));
        QCOMPARE(onglets->currentIndex(), 1);
    }

    // The form of address lands in the field spelled genre_inpecteur.
    void le_genre_de_l_inspecteur_est_enregistre() {
        Base b;
        menu(QStringLiteral("menuparamètresindex1"));
        cliquer(Inspection, "Command3");
        jeu(Genres).MoveLast();
        cliquer(Genres, "bouton_accepter");
        QCOMPARE(focalise(Inspection)->objectName(), QStringLiteral("prénom_inspecteur"));
        QCOMPARE(controle<QTabWidget>(Inspection, "SSTab1")->currentIndex(), 1);
        cliquer(Inspection, "cmdMettreàjour");
        QCOMPARE(b.lire(QStringLiteral("SELECT genre_inpecteur FROM inspection")).lignes.value(0).value(0).toString(),
                 QStringLiteral("Mademoiselle"));
    }

    void les_niveaux_copient_le_code_et_le_cycle() {
        Base b;
        menu(QStringLiteral("menuparamètresindex3"));
        auto* avant = focalise(Equipe);
        cliquer(Equipe, "Command4");
        const QString niveaux = QStringLiteral("feuille_niveaux");
        QVERIFY(feuille(niveaux).estAffichee());
        const QVariant code = jeu(niveaux).valeur(QStringLiteral("code"));
        const QVariant cycle = jeu(niveaux).valeur(QStringLiteral("cycle"));
        cliquer(niveaux, "bouton_accepter");
        QCOMPARE(texte(Equipe, "niveau_classe_enseignant"), code.toString());
        QCOMPARE(texte(Equipe, "cycle_classe_enseignant"), cycle.toString());
        QVERIFY(!code.toString().isEmpty());
        QCOMPARE(focalise(Equipe), avant);
    }

    void les_adresses_vont_a_chaque_appelant() {
        struct Cas { QString menu, fenetre, destination, focus; };
        const QVector<Cas> cas = {
            {"menuparamètresindex2", Ecole, "adresse_école", "suite_adresse_école"},
            {"menuparamètresindex1", Inspection, "adresse_inspection", "adresse2_inspection"},
            {"menuparamètresindex3", Equipe, "adresse1_enseignant", "adresse_enseignant"},
        };
        for (const Cas& c : cas) {
            Base b;
            preparer_listes(b);
            menu(c.menu);
            cliquer(c.fenetre, "Command2");
            cliquer(Adresses, "bouton_accepter");
            QCOMPARE(texte(c.fenetre, c.destination), QStringLiteral("rue des Lilas"));
            QCOMPARE(focalise(c.fenetre)->objectName(), c.focus);
        }
    }

    // Another caller's code: nothing copied, the list stays open without "Accepter".
    void un_code_remplace_ne_copie_rien() {
        Base b;
        preparer_listes(b);
        menu(QStringLiteral("menuparamètresindex2"));
        menu(QStringLiteral("menuparamètresindex1"));
        cliquer(Ecole, "Command7");
        Module1::code_appelant = 7;  // the family window's guardian form of address
        cliquer(Villes, "bouton_accepter");
        QCOMPARE(texte(Ecole, "ville_école"), QString());
        QVERIFY(forms::Feuilles::estChargee(Villes));
        QVERIFY(feuille(Villes).estAffichee());
        QVERIFY(!accepter_visible(Villes));
        QVERIFY(b.boites->vues.isEmpty());
    }

    // The town list opened by the school is not filled into the inspection because the
    // inspection opened another list since.
    void un_selecteur_ne_sert_que_son_appelant() {
        Base b;
        preparer_listes(b);
        menu(QStringLiteral("menuparamètresindex2"));
        menu(QStringLiteral("menuparamètresindex1"));
        cliquer(Ecole, "Command7");
        cliquer(Inspection, "Command2");
        QCOMPARE(Module1::code_appelant, qint16(5));
        cliquer(Villes, "bouton_accepter");
        QCOMPARE(texte(Inspection, "ville_inspection"), QString());
        QCOMPARE(texte(Ecole, "ville_école"), QString());
        QVERIFY(!accepter_visible(Villes));
        // The inspection's own list still serves it.
        cliquer(Adresses, "bouton_accepter");
        QCOMPARE(texte(Inspection, "adresse_inspection"), QStringLiteral("rue des Lilas"));
    }

    void deux_choix_de_la_meme_fenetre_servent_tous_deux() {
        Base b;
        preparer_listes(b);
        menu(QStringLiteral("menuparamètresindex2"));
        cliquer(Ecole, "Command7");
        cliquer(Ecole, "Command2");
        cliquer(Villes, "bouton_accepter");
        cliquer(Adresses, "bouton_accepter");
        QCOMPARE(texte(Ecole, "ville_école"), QStringLiteral("Lyon"));
        QCOMPARE(texte(Ecole, "adresse_école"), QStringLiteral("rue des Lilas"));
    }

    // After a pick, the menu shows a plain list: no "Accepter", and the double-click copies nothing.
    void une_liste_ouverte_du_menu_apres_un_choix_n_accepte_pas() {
        Base b;
        preparer_listes(b);
        menu(QStringLiteral("menuparamètresindex2"));
        cliquer(Ecole, "Command7");
        cliquer(Villes, "bouton_accepter");
        controle<QLineEdit>(Ecole, "ville_école")->clear();
        menu(QStringLiteral("menuparamètresindex16"));
        QVERIFY(feuille(Villes).estAffichee());
        QVERIFY(!accepter_visible(Villes));
        emit controle<forms::GrilleDonnees>(Villes, "grdDataGrid")->relais();
        traiter();
        QCOMPARE(texte(Ecole, "ville_école"), QString());
        QVERIFY(forms::Feuilles::estChargee(Villes));
    }

    void le_double_clic_accepte_sauf_dans_les_genres() {
        Base b;
        preparer_listes(b);
        menu(QStringLiteral("menuparamètresindex2"));
        cliquer(Ecole, "Command7");
        emit controle<forms::GrilleDonnees>(Villes, "grdDataGrid")->relais();
        traiter();
        QCOMPARE(texte(Ecole, "ville_école"), QStringLiteral("Lyon"));
        QVERIFY(!forms::Feuilles::estChargee(Villes));
        cliquer(Ecole, "Command3");
        emit controle<forms::GrilleDonnees>(Genres, "grdDataGrid")->relais();
        traiter();
        QCOMPARE(texte(Ecole, "genre_directeur"), QString());
        QVERIFY(accepter_visible(Genres));
    }

    void le_menu_ramene_un_selecteur_ouvert_avec_son_accepter() {
        Base b;
        preparer_listes(b);
        menu(QStringLiteral("menuparamètresindex2"));
        cliquer(Ecole, "Command7");
        forms::Feuille* avant = &feuille(Villes);
        menu(QStringLiteral("menuparamètresindex16"));
        QCOMPARE(&feuille(Villes), avant);
        QVERIFY(accepter_visible(Villes));
    }

    void la_touche_entree_accepte() {
        Base b;
        preparer_listes(b);
        menu(QStringLiteral("menuparamètresindex2"));
        cliquer(Ecole, "Command2");
        QVERIFY(controle<QPushButton>(Adresses, "bouton_accepter")->isDefault());
        QTest::keyClick(&feuille(Adresses), Qt::Key_Return);
        traiter();
        QCOMPARE(texte(Ecole, "adresse_école"), QStringLiteral("rue des Lilas"));
    }

    void un_appelant_ferme_n_est_pas_recharge() {
        Base b;
        preparer_listes(b);
        menu(QStringLiteral("menuparamètresindex2"));
        cliquer(Ecole, "Command7");
        cliquer(Ecole, "cmdFermer");
        cliquer(Villes, "bouton_accepter");
        QVERIFY(!forms::Feuilles::estChargee(Ecole));
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().style, 48);
    }

    void l_equipe_ouverte_du_menu_grise_son_accepter() {
        Base b;
        menu(QStringLiteral("menuparamètresindex3"));
        auto* accepter = controle<QPushButton>(Equipe, "bouton_accepter");
        QVERIFY(accepter->isVisibleTo(&feuille(Equipe)));
        QVERIFY(!accepter->isEnabled());
        Module1::code_appelant = 6;
        accepter->click();
        traiter();
        QVERIFY(forms::Feuilles::estChargee(Equipe));
    }

    // A picked value is a copy: the list may change afterwards.
    void modifier_ou_supprimer_une_entree_laisse_les_fiches() {
        Base b;
        preparer_listes(b);
        menu(QStringLiteral("menuparamètresindex2"));
        cliquer(Ecole, "Command7");
        cliquer(Villes, "bouton_accepter");
        cliquer(Ecole, "cmdMettreàjour");
        menu(QStringLiteral("menuparamètresindex16"));
        auto* grille = controle<forms::GrilleDonnees>(Villes, "grdDataGrid");
        grille->setCol(1);
        grille->setText(QStringLiteral("Lugdunum"));
        cliquer(Villes, "cmdMettreàjour");
        QCOMPARE(b.lire(QStringLiteral("SELECT \"détails\" FROM villes WHERE code_postal = '69001'"))
                     .lignes.value(0).value(0).toString(),
                 QStringLiteral("Lugdunum"));
        jeu(Villes).MoveFirst();
        cliquer(Villes, "cmdSupprimer");
        QCOMPARE(b.compte("villes"), 2);
        const auto ecole = b.lire(QStringLiteral("SELECT code_postal_école, ville_école FROM école"));
        QCOMPARE(ecole.lignes.value(0).value(0).toString(), QStringLiteral("69001"));
        QCOMPARE(ecole.lignes.value(0).value(1).toString(), QStringLiteral("Lyon"));
    }
};

int tester_selecteurs(int argc, char** argv) {
    TestSelecteurs t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_selecteurs.moc"
