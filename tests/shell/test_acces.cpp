// The access-code window driven through its controls, and the opening of the database that
// follows a change.
#include "essais.h"
#include "commun/programme.h"
#include "platform/forms/controle_donnees.h"
#include "shell/menus.h"
#include "platform/report/apercu.h"
#include "platform/report/crystal_report.h"
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <cstdio>

namespace {

const QString AncienFaux = QStringLiteral(
    "Modification du code d'accès impossible... Vous devez saisir l'ancien code d'accès pour pouvoir le modifier...");
const QString ConfirmationFausse =
    QStringLiteral("Modification du code d'accès impossible... La confirmation n'est pas identique à la saisie...");
const QString Effectuee = QStringLiteral(
    "Modification du code d'accès effectuée... Le nouveau code d'accès est actif, ne l'oubliez pas!");
const QString Refus = QStringLiteral("Erreur de code d'accès... Accès non-autorisé!");

forms::Feuille& fenetre() { return forms::Feuilles::charger(QStringLiteral("feuille_accès")); }
QLineEdit* zone(const char* nom) { return fenetre().controle<QLineEdit>(QString::fromUtf8(nom)); }

void saisir(const QString& ancien, const QString& nouveau, const QString& confirmation) {
    zone("accès_ancien")->setText(ancien);
    zone("accès_nouveau")->setText(nouveau);
    zone("accès_confirmation")->setText(confirmation);
    fenetre().controle<QPushButton>(QStringLiteral("cmdMettreàjour"))->click();
}

class EssaiAcces : public QObject {
    Q_OBJECT

private slots:
    // Another workstation puts a protected database under the name of the open one: a refresh
    // shows none of its pupils and writes nothing; the database is closed and its code asked,
    // and a wrong code leaves it closed.
    void base_remplacee_par_une_base_protegee() {
        essai::Programme p;
        QTRY_VERIFY(p.base_ouverte());
        const auto eleve = [](const QString& base, const QString& nom) {
            db::BaseDonnees::ouvrir(base)->requete(
                QStringLiteral("INSERT INTO \"élèves\" (matricule, \"nom_élève\") VALUES ('000001', ?)"), {nom});
        };
        eleve(p.base, QStringLiteral("OUVERTE"));
        p.declencher(QStringLiteral("menuenfantsindex1"));
        forms::Feuille& f = forms::Feuilles::charger(QStringLiteral("feuille_élève"));
        // The window may be unloaded once the database is closed.
        QPointer<QLineEdit> nom = f.controle<QLineEdit>(QStringLiteral("nom_enfant"));
        QCOMPARE(nom->text(), QStringLiteral("OUVERTE"));

        const QString protegee = test::copie_modele(p.dossier, QStringLiteral("protégée.mdb"));
        {
            auto b = db::BaseDonnees::ouvrir(protegee);
            b->requete(QStringLiteral("DELETE FROM passe"));
            b->requete(QStringLiteral("INSERT INTO passe (passe) VALUES ('Secret')"));
        }
        eleve(protegee, QStringLiteral("PROTÉGÉE"));
        QVERIFY(::rename(QFile::encodeName(protegee).constData(), QFile::encodeName(p.base).constData()) == 0);
        p.boites->effacer();
        bool demande = false;
        essai::au_login([&](QDialog* login) {
            demande = true;
            QVERIFY(!nom || nom->text() != QStringLiteral("PROTÉGÉE"));
            essai::taper_code(login, QStringLiteral("faux"));
        });
        f.controle<QPushButton>(QStringLiteral("cmdRafraîchir"))->click();
        QTRY_VERIFY(demande);
        QTRY_VERIFY(!p.base_ouverte());
        QVERIFY(p.boites->vues.size() >= 2);
        QVERIFY2(p.boites->vues.first().texte.contains(QStringLiteral("3043")), qPrintable(p.boites->vues.first().texte));
        QCOMPARE(p.boites->derniere().texte, Refus);
        QVERIFY(!nom || nom->text() != QStringLiteral("PROTÉGÉE"));
        QCOMPARE(Module1::chemin_base, QString());
        const auto lignes = db::BaseDonnees::ouvrir(p.base)->requete(QStringLiteral("SELECT \"nom_élève\" FROM \"élèves\""));
        QCOMPARE(lignes.lignes.size(), 1);
        QCOMPARE(lignes.lignes[0][0].toString(), QStringLiteral("PROTÉGÉE"));
    }

    // A preview of a protected database goes with the database: closed when the database is
    // closed from the menu, and when another database is opened.
    void apercu_ferme_avec_la_base() {
        essai::au_login(QStringLiteral("Secret"));
        essai::Programme p(QStringLiteral("Secret"));
        QTRY_VERIFY(p.base_ouverte());
        auto apercu = [&p] {
            auto& cr = report::CrystalReport1();
            cr.setDataFiles(0, Module1::chemin_base);
            cr.setReportFileName(QStringLiteral(CARNELIS_DOSSIER_PROGRAMME "/liste_ape.rpt"));
            cr.setSelectionFormula(QString());
            cr.setDestination(report::destination::Fenetre);
            QCOMPARE(cr.PrintReport(), 0);
            QVERIFY(forms::Feuilles::estChargee(report::FenetreApercu::Nom));
            QVERIFY(forms::Feuilles::siChargee(report::FenetreApercu::Nom)->isVisible());
        };
        apercu();
        p.boites->effacer();
        p.declencher(QStringLiteral("menufichierindex3"));
        QCOMPARE(p.boites->derniere().texte, QStringLiteral("La base est fermée..."));
        QVERIFY(!forms::Feuilles::estChargee(report::FenetreApercu::Nom));

        // Opened again, previewed, then another database opened from the chooser.
        const QString autre = test::copie_modele(p.dossier, QStringLiteral("autre.mdb"));
        essai::au_login(QStringLiteral("Secret"));
        p.relancer();
        QTRY_VERIFY(p.base_ouverte());
        apercu();
        p.declencher(QStringLiteral("menufichierindex1"));
        forms::Feuille& choix = forms::Feuilles::charger(QStringLiteral("feuille_choix_base"));
        choix.controle<QLabel>(QStringLiteral("Label4"))->setText(autre);
        choix.controle<QPushButton>(QStringLiteral("cmdMettreàjour"))->click();
        QTRY_COMPARE(Module1::chemin_base, autre);
        QVERIFY(!forms::Feuilles::estChargee(report::FenetreApercu::Nom));
    }

    // Each refusal names its reason, saves nothing and leaves the typing as it was.
    void refus() {
        essai::au_login(QStringLiteral("Secret"));
        essai::Programme p(QStringLiteral("Secret"));
        QTRY_VERIFY(p.base_ouverte());
        p.boites->effacer();
        p.declencher(QStringLiteral("menuparamètresindex22"));
        QVERIFY(fenetre().estAffichee());
        QCOMPARE(fenetre().Caption(), QStringLiteral("Protection de l'accès aux données"));
        QCOMPARE(fenetre().controle<forms::ControleDonnees>("datPrimaryRS")->RecordSource(), QStringLiteral("SELECT * FROM passe"));
        QVERIFY(zone("accès_actuel")->isHidden());
        QCOMPARE(fenetre().focusWidget(), zone("accès_ancien"));

        struct Cas { const char* nom; QString ancien, nouveau, confirmation, message; };
        const Cas cas[] = {
            // The old code is checked before the two new ones are compared.
            {"ancien faux", "Faux", "a", "b", AncienFaux},
            {"autre casse", "secret", "a", "a", AncienFaux},
            {"blanc final", "Secret ", "a", "a", AncienFaux},
            {"confirmation", "Secret", "Nouveau", "nouveau", ConfirmationFausse},
        };
        for (const Cas& c : cas) {
            p.boites->effacer();
            saisir(c.ancien, c.nouveau, c.confirmation);
            QCOMPARE(p.boites->vues.size(), 1);
            QVERIFY2(p.boites->vues[0].texte == c.message, c.nom);
            QCOMPARE(p.boites->vues[0].style, forms::styles::Avertissement);
            QCOMPARE(p.boites->vues[0].titre, QStringLiteral("Carnelis v2"));
            QCOMPARE(zone("accès_ancien")->text(), c.ancien);
            QCOMPARE(zone("accès_confirmation")->text(), c.confirmation);
            QCOMPARE(p.codes_stockes(), QStringList{"Secret"});
        }

        // Masked boxes that take ten characters, like the field.
        for (const char* nom : {"accès_ancien", "accès_nouveau", "accès_confirmation"}) {
            QLineEdit* z = zone(nom);
            QCOMPARE(z->echoMode(), QLineEdit::Password);
            z->clear();
            z->setFocus();
            QTest::keyClicks(z, QStringLiteral("abcdefghijkl"));
            QCOMPARE(z->text(), QStringLiteral("abcdefghij"));
        }
        QVERIFY(fenetre().estAffichee());
    }

    // A new code is saved at once and is the one the next opening asks for; an empty one
    // removes the question.
    void changement_puis_ouverture() {
        essai::au_login(QStringLiteral("Secret"));
        essai::Programme p(QStringLiteral("Secret"));
        QTRY_VERIFY(p.base_ouverte());
        p.boites->effacer();
        p.declencher(QStringLiteral("menuparamètresindex22"));
        // Enter in the confirmation box validates.
        zone("accès_ancien")->setText(QStringLiteral("Secret"));
        zone("accès_nouveau")->setText(QStringLiteral("Nouveau"));
        zone("accès_confirmation")->setText(QStringLiteral("Nouveau"));
        zone("accès_confirmation")->setFocus();
        QTest::keyClick(zone("accès_confirmation"), Qt::Key_Return);
        QCOMPARE(p.boites->vues.size(), 1);
        QCOMPARE(p.boites->vues[0].texte, Effectuee);
        QCOMPARE(p.boites->vues[0].style, forms::styles::Avertissement);
        QCOMPARE(p.codes_stockes(), QStringList{"Nouveau"});
        QVERIFY(fenetre().estAffichee());
        QCOMPARE(zone("accès_ancien")->text(), QStringLiteral("Secret"));

        // The old code no longer opens the database.
        essai::au_login(QStringLiteral("Secret"));
        p.relancer();
        QTRY_COMPARE(p.boites->vues.size(), 1);
        QCOMPARE(p.boites->vues[0].texte, Refus);
        QVERIFY(!p.base_ouverte());

        // The new one does; then both new boxes left empty store an empty code.
        essai::au_login(QStringLiteral("Nouveau"));
        p.relancer();
        QTRY_VERIFY(p.base_ouverte());
        p.declencher(QStringLiteral("menuparamètresindex22"));
        saisir(QStringLiteral("Nouveau"), QString(), QString());
        QCOMPARE(p.boites->derniere().texte, Effectuee);
        QCOMPARE(p.codes_stockes(), QStringList{""});
        p.relancer();
        QTRY_VERIFY(p.base_ouverte());
        QVERIFY(p.boites->vues.isEmpty());
    }

    // A database whose code table is empty gets its one record from the menu; the old code
    // is then typed as empty.
    void table_vide() {
        essai::Programme p;
        QTRY_VERIFY(p.base_ouverte());
        {
            auto b = db::BaseDonnees::ouvrir(p.base);
            b->requete(QStringLiteral("DELETE FROM passe"));
            b->Close();
        }
        p.declencher(QStringLiteral("menuparamètresindex22"));
        QVERIFY(fenetre().estAffichee());
        QCOMPARE(zone("accès_actuel")->text(), QString());
        saisir(QString(), QStringLiteral("abc"), QStringLiteral("abc"));
        QCOMPARE(p.boites->vues.size(), 1);
        QCOMPARE(p.boites->vues[0].texte, Effectuee);
        QCOMPARE(p.codes_stockes(), QStringList{"abc"});
        // "&Fermer" unloads the window.
        fenetre().controle<QPushButton>(QStringLiteral("cmdFermer"))->click();
        QVERIFY(!forms::Feuilles::estChargee(QStringLiteral("feuille_accès")));
    }
};

}  // namespace

QObject* essai_acces() { return new EssaiAcces; }

#include "test_acces.moc"
