// The record buttons and data-control events shared by every data window.
#include "banc.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/pointeur.h"
#include "settings/fenetre_donnees.h"
#include "shell/module1.h"
#include <QTest>

using namespace banc;

namespace {

const QString Villes = QStringLiteral("feuille_villes");

QString erreur_generale(int numero) {
    return QStringLiteral("Le logiciel a rencontré l'erreur : %1\n\n%2").arg(numero).arg(db::texte_erreur(numero));
}

void villes(const Base& b, const QStringList& noms) {
    int n = 0;
    for (const QString& v : noms)
        b.ecrire(QStringLiteral("INSERT INTO villes (code_postal, \"détails\") VALUES (?, ?)"),
                 {QString::number(75001 + n++), v});
}

QStringList villes_en_base(const Base& b) {
    QStringList r;
    for (const auto& l : b.lire(QStringLiteral("SELECT \"détails\" FROM villes ORDER BY rowid")).lignes)
        r << l.value(0).toString();
    return r;
}

}  // namespace

class TestMotif : public QObject {
    Q_OBJECT
private slots:
    void supprimer_la_derniere_ligne_rend_courante_la_nouvelle_derniere() {
        Base b;
        villes(b, {"Lyon", "Nantes", "Caen"});
        menu(QStringLiteral("menuparamètresindex16"));
        jeu(Villes).MoveLast();
        cliquer(Villes, "cmdSupprimer");
        QCOMPARE(villes_en_base(b), QStringList({"Lyon", "Nantes"}));
        QCOMPARE(jeu(Villes).valeur(QStringLiteral("détails")).toString(), QStringLiteral("Nantes"));
        QVERIFY(b.boites->vues.isEmpty());
    }

    void supprimer_une_ligne_du_milieu_rend_courante_la_suivante() {
        Base b;
        villes(b, {"Lyon", "Nantes", "Caen"});
        menu(QStringLiteral("menuparamètresindex16"));
        jeu(Villes).MoveNext();
        cliquer(Villes, "cmdSupprimer");
        QCOMPARE(villes_en_base(b), QStringList({"Lyon", "Caen"}));
        QCOMPARE(jeu(Villes).valeur(QStringLiteral("détails")).toString(), QStringLiteral("Caen"));
        QVERIFY(b.boites->vues.isEmpty());
    }

    void supprimer_la_seule_ligne_montre_l_erreur_du_moteur() {
        Base b;
        villes(b, {"Lyon"});
        menu(QStringLiteral("menuparamètresindex16"));
        forms::definir_pointeur_souris(forms::Sablier);
        cliquer(Villes, "cmdSupprimer");
        QCOMPARE(b.compte("villes"), 0);
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte, erreur_generale(db::erreurs::AucunEnregistrement));
        QCOMPARE(b.boites->derniere().style, 48);
        QCOMPARE(forms::pointeur_souris(), forms::PointeurDefaut);
    }

    // On the new-row line nothing is current: the row the result set last stood on stays.
    void supprimer_sur_la_ligne_nouvelle_ne_supprime_rien() {
        Base b;
        villes(b, {"Lyon", "Nantes"});
        menu(QStringLiteral("menuparamètresindex16"));
        cliquer(Villes, "cmdAjouter");
        QVERIFY(controle<forms::GrilleDonnees>(Villes, "grdDataGrid")->surLigneNouvelle());
        cliquer(Villes, "cmdSupprimer");
        QCOMPARE(villes_en_base(b), QStringList({"Lyon", "Nantes"}));
        QCOMPARE(b.boites->derniere().texte, erreur_generale(db::erreurs::AucunEnregistrement));
    }

    void ajouter_sur_une_table_vide_va_sur_la_ligne_nouvelle_sans_erreur() {
        Base b;
        Module1::ouvrir_table_villes();
        feuille(Villes).afficher();
        cliquer(Villes, "cmdAjouter");
        QVERIFY(controle<forms::GrilleDonnees>(Villes, "grdDataGrid")->surLigneNouvelle());
        QVERIFY(b.boites->vues.isEmpty());
    }

    // A visible data control numbers the records; a pending new record has none.
    void la_legende_de_position_suit_la_fiche_courante() {
        Base b;
        b.ecrire(QStringLiteral("INSERT INTO \"équipe\" (nom_enseignant) VALUES ('Durand'), ('Martin')"));
        for (const auto& [modele, prefixe] :
             {std::pair{QStringLiteral("feuille_documents"), QStringLiteral("Fiche: ")},
              std::pair{QStringLiteral("feuille_équipe"), QString()}}) {
            reglages::FenetreDonnees f(QStringLiteral("feuille_essai"), reglages::variation_de(modele));
            auto* zone = new QLineEdit(&f);
            zone->setObjectName(QStringLiteral("nom_enseignant"));
            f.datPrimaryRS()->lier(zone, QStringLiteral("nom_enseignant"));
            f.datPrimaryRS()->setDatabaseName(b.chemin);
            f.datPrimaryRS()->setRecordSource(QStringLiteral("SELECT * FROM équipe"));
            f.datPrimaryRS()->Refresh();
            QVERIFY(f.datPrimaryRS()->isVisibleTo(&f));
            QCOMPARE(f.datPrimaryRS()->Caption(), prefixe + "1");
            f.datPrimaryRS()->Recordset().MoveNext();
            QCOMPARE(f.datPrimaryRS()->Caption(), prefixe + "2");
            f.cmdAjouter_Click();
            QCOMPARE(f.datPrimaryRS()->Caption(), prefixe + "0");
            QCOMPARE(zone->text(), QString());
            f.datPrimaryRS()->Recordset().CancelUpdate();
            f.datPrimaryRS()->fermer();
        }
    }

    void l_erreur_de_donnees_d_une_liste_est_montree_sans_icone() {
        Base b;
        Module1::ouvrir_table_villes();
        int reponse = 1;
        emit controle<db::ControleDonnees>(Villes, "datPrimaryRS")->Error(db::erreurs::Doublon, &reponse);
        QCOMPARE(reponse, 0);
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte,
                 QStringLiteral("Data error event hit err:") + db::texte_erreur(db::erreurs::Doublon));
        QCOMPARE(b.boites->derniere().style, 0);
        QCOMPARE(b.boites->derniere().titre, forms::titre_application());
    }

    void l_erreur_de_donnees_de_l_ecole_est_muette() {
        Base b;
        Module1::ouvrir_table_ecole();
        int reponse = 1;
        emit controle<db::ControleDonnees>(QStringLiteral("feuille_école"), "datPrimaryRS")->Error(3022, &reponse);
        QCOMPARE(reponse, 0);
        QVERIFY(b.boites->vues.isEmpty());
    }

    // Hourglass from every operation's start, even a close, until a move, close or unload.
    void le_pointeur_suit_les_operations() {
        Base b;
        villes(b, {"Lyon", "Nantes"});
        menu(QStringLiteral("menuparamètresindex16"));
        auto* dat = controle<db::ControleDonnees>(Villes, "datPrimaryRS");
        int enregistrer = 1;
        emit dat->Validate(db::action::Close, &enregistrer);
        QCOMPARE(forms::pointeur_souris(), forms::Sablier);
        QCOMPARE(enregistrer, 1);
        jeu(Villes).MoveNext();
        QCOMPARE(forms::pointeur_souris(), forms::PointeurDefaut);
        emit dat->Validate(db::action::MoveNext, &enregistrer);
        QCOMPARE(forms::pointeur_souris(), forms::Sablier);
        cliquer(Villes, "cmdFermer");
        QCOMPARE(forms::pointeur_souris(), forms::PointeurDefaut);
        QVERIFY(!forms::Feuilles::estChargee(Villes));
    }

    void rafraichir_montre_les_lignes_d_un_autre_poste() {
        Base b;
        villes(b, {"Lyon"});
        menu(QStringLiteral("menuparamètresindex16"));
        villes(b, {"Brest"});
        QCOMPARE(jeu(Villes).RecordCount(), 1);
        cliquer(Villes, "cmdRafraîchir");
        QCOMPARE(jeu(Villes).RecordCount(), 2);
    }

    // A refresh whose file has gone reports it instead of ending the program.
    void rafraichir_sans_fichier_signale_l_erreur() {
        Base b;
        menu(QStringLiteral("menuparamètresindex16"));
        auto* dat = controle<db::ControleDonnees>(Villes, "datPrimaryRS");
        dat->fermer();
        dat->setDatabaseName(b.chemin + ".absent");
        cliquer(Villes, "cmdRafraîchir");
        QCOMPARE(b.boites->vues.size(), 1);
        QVERIFY(b.boites->derniere().texte.startsWith(QStringLiteral("Le logiciel a rencontré l'erreur : ")));
    }
};

int tester_motif(int argc, char** argv) {
    TestMotif t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_motif.moc"
