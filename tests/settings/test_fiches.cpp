// The one-record settings windows and the teaching team: what is typed is what is stored.
#include "banc.h"
#include <QGroupBox>
#include <QTabWidget>
#include <QTest>

using namespace banc;

namespace {

// Types a distinct value, as long as the box allows, into every text box of the window.
QStringList tout_saisir(const QString& fenetre) {
    QStringList saisis;
    int n = 0;
    for (QLineEdit* zone : feuille(fenetre).findChildren<QLineEdit*>()) {
        if (!qobject_cast<QGroupBox*>(zone->parentWidget())) continue;  // the window's own fields
        const QString valeur = (QString::number(++n) + QStringLiteral("é") + zone->objectName()).left(zone->maxLength());
        zone->setText(valeur);
        saisis << valeur;
    }
    return saisis;
}

// Every text value of the table's rows.
QStringList valeurs(const Base& b, const QString& table) {
    QStringList r;
    for (const auto& ligne : b.lire(QStringLiteral("SELECT * FROM \"%1\"").arg(table)).lignes)
        for (const QVariant& v : ligne)
            if (!v.isNull()) r << v.toString();
    return r;
}

}  // namespace

class TestFiches : public QObject {
    Q_OBJECT
private slots:
    // An empty table opens on a first record, stored by "&Valider" with every field in its column.
    void chaque_fiche_enregistre_tous_ses_champs() {
        struct Cas { const char* menu; const char* fenetre; const char* table; int champs; };
        const Cas cas[] = {
            {"menuparamètresindex2", "feuille_école", "école", 15},
            {"menuparamètresindex1", "feuille_inspection", "inspection", 15},
            {"menuparamètresindex3", "feuille_équipe", "équipe", 14},
            {"menuparamètresindex5", "feuille_paramètres", "paramètres", 20},
        };
        for (const Cas& c : cas) {
            Base b;
            const QString fenetre = QString::fromUtf8(c.fenetre), table = QString::fromUtf8(c.table);
            b.ecrire(QStringLiteral("DELETE FROM \"%1\"").arg(table));
            menu(QString::fromUtf8(c.menu));
            QVERIFY2(feuille(fenetre).estAffichee(), c.fenetre);
            QCOMPARE(b.compte(table), 0);
            QStringList saisis = tout_saisir(fenetre);
            QCOMPARE(saisis.size(), c.champs);
            cliquer(fenetre, "cmdMettreàjour");
            QVERIFY2(b.boites->vues.isEmpty(), qPrintable(b.boites->derniere().texte));
            QCOMPARE(b.compte(table), 1);
            QStringList stockes = valeurs(b, table);
            saisis.sort();
            stockes.sort();
            QCOMPARE(stockes, saisis);
        }
    }

    void les_intitules_et_infobulles_ont_leurs_limites() {
        Base b;
        menu(QStringLiteral("menuparamètresindex5"));
        const QString fenetre = QStringLiteral("feuille_paramètres");
        auto* intitule = controle<QLineEdit>(fenetre, "txtFields(0)");
        auto* infobulle = controle<QLineEdit>(fenetre, "txtFields(10)");
        intitule->clear();
        infobulle->clear();
        QTest::keyClicks(intitule, QStringLiteral("abcdefghijklmnopqrstu"));
        QTest::keyClicks(infobulle, QString(51, QChar('x')));
        QCOMPARE(intitule->text(), QStringLiteral("abcdefghijklmnopqrst"));
        QCOMPARE(infobulle->text().size(), 50);
        cliquer(fenetre, "cmdMettreàjour");
        const auto r = b.lire(QStringLiteral(
            "SELECT \"intitulé_champ_paramétrable1\", \"infobulle_champ_paramétrable1\" FROM \"paramètres\""));
        QCOMPARE(r.lignes.value(0).value(0).toString(), QStringLiteral("abcdefghijklmnopqrst"));
        QCOMPARE(r.lignes.value(0).value(1).toString(), QString(50, QChar('x')));
    }

    // Entering a field brings its tab forward, except the fields that never did.
    void l_onglet_suit_le_champ_saisi() {
        Base b;
        menu(QStringLiteral("menuparamètresindex1"));
        const QString fenetre = QStringLiteral("feuille_inspection");
        auto* onglets = controle<QTabWidget>(fenetre, "SSTab1");
        for (const auto& [champ, onglet] : {std::pair{"Text1", 1}, std::pair{"rne_inspection", 0},
                                           std::pair{"politesse_inspecteur", 1}, std::pair{"nom_inspection", 0}}) {
            controle<QLineEdit>(fenetre, champ)->setFocus(Qt::TabFocusReason);
            traiter();
            QCOMPARE(onglets->currentIndex(), onglet);
        }
        controle<QLineEdit>(fenetre, "genre_inspecteur")->setFocus(Qt::MouseFocusReason);
        traiter();
        QCOMPARE(onglets->currentIndex(), 0);
    }

    void l_equipe_ajoute_et_supprime_des_enseignants() {
        Base b;
        b.ecrire(QStringLiteral("INSERT INTO \"équipe\" (nom_enseignant) VALUES ('Durand')"));
        menu(QStringLiteral("menuparamètresindex3"));
        const QString fenetre = QStringLiteral("feuille_équipe");
        auto* dat = controle<db::ControleDonnees>(fenetre, "datPrimaryRS");
        QVERIFY(dat->isVisibleTo(&feuille(fenetre)));
        QCOMPARE(dat->Caption(), QStringLiteral("1"));
        cliquer(fenetre, "cmdAjouter");
        QCOMPARE(dat->Caption(), QStringLiteral("0"));
        controle<QLineEdit>(fenetre, "nom_enseignant")->setText(QStringLiteral("Martin"));
        cliquer(fenetre, "cmdMettreàjour");
        QCOMPARE(b.compte("équipe"), 2);
        QCOMPARE(texte(fenetre, "nom_enseignant"), QStringLiteral("Martin"));
        cliquer(fenetre, "cmdSupprimer");
        QCOMPARE(b.compte("équipe"), 1);
        QCOMPARE(texte(fenetre, "nom_enseignant"), QStringLiteral("Durand"));
        QVERIFY(b.boites->vues.isEmpty());
    }
};

int tester_fiches(int argc, char** argv) {
    TestFiches t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_fiches.moc"
