// The pupil window driven through its controls as the user drives it, on copies of the blank
// template and of the demonstration database.
#include "banc_eleve.h"
#include "commun/jour_fixe.h"
#include "platform/db/erreurs_moteur.h"
#include "records/age.h"
#include "records/champs_eleve.h"
#include "platform/forms/listes_fichiers.h"
#include "platform/forms/pointeur.h"
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <sqlite3.h>

using namespace banc;

namespace {

const QString QuestionAjout = QStringLiteral(
    "Voulez-vous ajouter une fiche dans la fratrie en cours (OUI) ou ajouter une fiche sans référence à la fratrie "
    "en cours (NON)...");

// A sample that fits a field of the binding table.
QString echantillon(const forms::Champ& c, int i) {
    const QString champ = c.champ;
    if (champ.startsWith("date_")) return QStringLiteral("%1/03/2019").arg(10 + i % 18);
    if (c.genre == forms::Genre::Multiligne) return QStringLiteral("ligne un %1\nligne deux").arg(i);
    const QString t = QStringLiteral("v%1 %2").arg(i).arg(champ);
    return c.longueur > 0 ? t.left(c.longueur) : t.left(10);
}

}  // namespace

class TestEleve : public QObject {
    Q_OBJECT
private slots:
    // On an empty table the menu opens a new pupil 000001; every field of the binding table
    // then writes its own column, multi-line boxes included.
    void premier_eleve_et_chaque_champ() {
        Base b;
        menu(MenuEleves);
        QVERIFY(fenetre().estAffichee());
        QCOMPARE(fenetre().Caption(), QString("Fiche élève"));
        QCOMPARE(texte("matricule"), QString("000001"));
        QCOMPARE(jeu().EditMode(), 2);
        QCOMPARE(onglet(), 0);
        int i = 0;
        for (const forms::Champ& c : eleve::champs()) {
            ++i;
            if (c.controle == "matricule") continue;
            if (c.genre == forms::Genre::Case)
                controle<QCheckBox>("Check2")->setChecked(true);
            else if (c.genre == forms::Genre::Multiligne)
                controle<QPlainTextEdit>(c.controle)->setPlainText(echantillon(c, i));
            else
                zone(c.controle)->setText(echantillon(c, i));
        }
        cliquer("cmdMettreàjour");
        QVERIFY(b.boites->vues.isEmpty());
        const auto r = b.sql("SELECT * FROM \"élèves\"");
        QCOMPARE(r.lignes.size(), 1);
        i = 0;
        for (const forms::Champ& c : eleve::champs()) {
            ++i;
            const QVariant v = r.lignes[0][r.champs.indexOf(c.champ)];
            if (c.controle == "matricule") QCOMPARE(v.toString(), QString("000001"));
            else if (c.genre == forms::Genre::Case) QCOMPARE(v.toBool(), true);
            else if (v.typeId() == QMetaType::QDate) QCOMPARE(v.toDate().toString("dd/MM/yyyy"), echantillon(c, i));
            else QCOMPARE(v.toString(), echantillon(c, i));
        }
        // Every box takes no more than its limit; the multi-line ones scroll.
        QCOMPARE(forms::limite_caracteres(zone("lieu_naissance")), 50);
        QCOMPARE(forms::limite_caracteres(zone("cycle_classe_élève")), 1);
        QVERIFY(zone("référence_famille")->isReadOnly());
        QVERIFY(zone("chemin_photo")->isHidden());
        QCOMPARE(controle<QPlainTextEdit>("observations_médicales")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    // "&Ajouter": the next matricule after the last, with or without the family, or nothing.
    void ajouter() {
        struct Cas { int reponse; QString matricule; QString famille; };
        for (const Cas& c : {Cas{forms::Oui, "000042", "000007"}, Cas{forms::Non, "000042", ""},
                             Cas{forms::Annuler, "000003", "000007"}}) {
            Base b;
            b.eleves({"000041:Zola:Emile", "000003:Bernard:Anne", "000010:Morel:Luc"});
            b.sql("UPDATE \"élèves\" SET \"référence_famille\" = '000007'");
            menu(MenuEleves);
            controle<QComboBox>("Combo1")->setCurrentIndex(8);
            QCOMPARE(texte("matricule"), QString("000003"));
            b.boites->repondre(c.reponse);
            cliquer("cmdAjouter");
            QCOMPARE(b.boites->vues.size(), 1);
            QCOMPARE(b.boites->vues[0].texte, QuestionAjout);
            QCOMPARE(b.boites->vues[0].style, forms::styles::OuiNonAnnuler + forms::styles::Question);
            QCOMPARE(texte("matricule"), c.matricule);
            QCOMPARE(texte("référence_famille"), c.famille);
            if (c.reponse == forms::Annuler) {
                QCOMPARE(jeu().EditMode(), 0);
                QCOMPARE(controle<QComboBox>("Combo1")->currentIndex(), 8);
                continue;
            }
            QCOMPARE(jeu().EditMode(), 2);
            QCOMPARE(texte("nom_enfant"), QString());
            QCOMPARE(controle<QComboBox>("Combo1")->currentText(), QString("Par ordre alphabétique"));
            zone("nom_enfant")->setText("Petit");
            cliquer("cmdMettreàjour");
            QCOMPARE(b.valeur("SELECT \"nom_élève\" FROM \"élèves\" WHERE matricule = '000042'"), QString("Petit"));
        }
    }

    // A last matricule that is no number: the general error, nothing added. Numbers written
    // with other lengths are followed by the highest of all, never by one already given.
    void ajouter_sans_numero() {
        {
            Base b;
            b.eleves({"ABC:Zola:Emile"});
            menu(MenuEleves);
            b.boites->repondre(forms::Non);
            cliquer("cmdAjouter");
            QCOMPARE(b.boites->vues.size(), 2);
            QVERIFY(b.boites->derniere().texte.startsWith("Le logiciel a rencontré l'erreur : 13\n\n"));
            QCOMPARE(jeu().EditMode(), 0);
        }
        Base b;
        b.eleves({"000010:Zola:Emile", "9:Morel:Luc", "1000000:Petit:Anne"});
        menu(MenuEleves);
        b.boites->repondre(forms::Non);
        cliquer("cmdAjouter");
        QCOMPARE(texte("matricule"), QString("1000001"));
    }

    // Leaving the matricule pads it to six digits and turns to the first tab; the Tab key
    // turns the tabs with the fields, and runs down "&Santé / Divers" column by column; the
    // eldest box leaves the tab alone.
    void matricule_et_onglets() {
        Base b;
        b.eleves({"000001:Martin:Paul"});
        menu(MenuEleves);
        for (const auto& [tape, attendu] : {std::pair<QString, QString>{"7", "000007"}, {"", ""},
                                            {"1234567", "1234567"}, {"7b", "7b"}}) {
            controle<QTabWidget>("SSTab1")->setCurrentIndex(3);
            entrer("matricule");
            zone("matricule")->setText(tape);
            entrer("prénom_enfant");
            QCOMPARE(texte("matricule"), attendu);
            QCOMPARE(onglet(), 0);
        }
        entrer("téléphone2_résidence");
        QCOMPARE(onglet(), 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("vaccinations"));
        QCOMPARE(controle<QTabWidget>("SSTab1")->tabText(onglet()), QString("&Santé / Divers"));
        // Down the health column, then the other one.
        QStringList sante;
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            sante << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(sante, QStringList({"allergies", "contre_indications", "observations_médicales", "participation_usep",
                                     "restauration_scolaire", "coopérative_scolaire", "observations_générales"}));
        entrer("Check2");
        QCOMPARE(onglet(), 4);
        entrer("grdDataGrid");
        QCOMPARE(onglet(), 7);
    }

    // The field the user chooses gets the typing, its tab in front, when the matricule, the
    // name or the first name is left for it: by a click on a tab then on a field, or by a tab's
    // letter. Nothing lands in the birth date of the first tab.
    void champ_choisi_recoit_la_frappe() {
        Base b;
        b.eleves({"000001:Martin:Paul"});
        b.sql("UPDATE \"élèves\" SET \"date_naissance_élève\" = '2015-03-25'");
        menu(MenuEleves);
        auto* onglets = controle<QTabWidget>("SSTab1");
        QTabBar* barre = onglets->tabBar();
        const auto frappe = [] {
            QTest::keyClicks(QApplication::focusWidget(), "ABC");
            traiter();
        };
        for (const char* depart : {"matricule", "nom_enfant", "prénom_enfant"}) {
            QLineEdit* d = zone(QString::fromUtf8(depart));
            const QString avant = d->text();
            onglets->setCurrentIndex(0);
            QTest::mouseClick(d, Qt::LeftButton);
            traiter();
            QCOMPARE(QApplication::focusWidget(), d);
            QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(3).center());
            traiter();
            QLineEdit* suite = zone("adresse2_résidence");
            QTest::mouseClick(suite, Qt::LeftButton);
            traiter();
            frappe();
            QCOMPARE(onglet(), 3);
            QCOMPARE(suite->text(), QString("ABC"));

            QTest::mouseClick(d, Qt::LeftButton);
            traiter();
            QTest::keyClick(d, Qt::Key_P, Qt::AltModifier);
            traiter();
            frappe();
            QCOMPARE(onglets->tabText(onglet()), QString("&Personnes autorisées"));
            QCOMPARE(texte("nom_contact1"), QString("ABC"));

            QCOMPARE(d->text(), avant);
            QCOMPARE(texte("date_naissance"), QString("25/03/2015"));
            suite->clear();
            zone("nom_contact1")->clear();
        }
        QVERIFY(b.boites->vues.isEmpty());
    }

    // The eldest's caption blinks every half second, ticked or not.
    void clignotement() {
        Base b;
        menu(MenuEleves);
        auto* check2 = controle<QCheckBox>("Check2");
        const QString avant = check2->text();
        QTRY_VERIFY_WITH_TIMEOUT(check2->text() != avant, 1500);
        QTRY_VERIFY_WITH_TIMEOUT(check2->text() == avant, 1500);
        QVERIFY(QStringList({"", "Aîné dans l'école"}).contains(avant));
    }

    // A matricule that another pupil holds is refused, told with the next free one; No keeps
    // what was typed, Yes saves under the free matricule.
    void matricule_en_double() {
        Base b;
        b.eleves({"000001:Martin:Paul", "000002:Durand:Zoé"});
        menu(MenuEleves);
        b.boites->repondre(forms::Non);
        cliquer("cmdAjouter");
        zone("nom_enfant")->setText("Nouveau");
        // Another workstation takes 000003 meanwhile.
        b.eleves({"000003:Autre:Poste"});
        b.boites->effacer();
        b.boites->repondre(forms::Non);
        cliquer("cmdMettreàjour");
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->vues[0].texte,
                 QString("Le matricule 000003 est déjà attribué à un autre élève : la fiche n'a pas été enregistrée."
                         "\n\nLe premier matricule libre est 000004. Voulez-vous le donner à cette fiche et "
                         "l'enregistrer ?"));
        QCOMPARE(b.boites->vues[0].style, forms::styles::OuiNon + forms::styles::Question);
        QCOMPARE(texte("nom_enfant"), QString("Nouveau"));
        QCOMPARE(texte("matricule"), QString("000003"));
        QCOMPARE(b.valeur("SELECT COUNT(*) FROM \"élèves\""), QString("3"));
        b.boites->repondre(forms::Oui);
        cliquer("cmdMettreàjour");
        QCOMPARE(b.valeur("SELECT \"nom_élève\" FROM \"élèves\" WHERE matricule = '000004'"), QString("Nouveau"));
        QCOMPARE(texte("matricule"), QString("000004"));
    }

    // A save refused by the engine (a date that is none, a file locked by another
    // workstation), by "&Valider", by a move or by closing, is told; the typed text stays, and
    // saves once the cause is gone.
    void enregistrements_refuses() {
        Base b;
        b.eleves({"000001:Martin:Paul", "000002:Morel:Luc"});
        menu(MenuEleves);
        const auto refus = [&](int numero) {
            return b.boites->derniere().texte.startsWith(
                QString("La fiche n'a pas été enregistrée (erreur %1) :\n\n%2").arg(numero).arg(db::texte_erreur(numero)));
        };
        zone("date_naissance")->setText("31/02/2020");
        zone("lieu_naissance")->setText("Lyon");
        cliquer("cmdMettreàjour");
        QCOMPARE(b.boites->vues.size(), 1);
        QVERIFY(refus(db::erreurs::ConversionType));
        QVERIFY(b.boites->derniere().texte.contains("31/02/2020"));
        b.boites->repondre(forms::Oui);
        jeu().MoveNext();
        QCOMPARE(b.boites->vues.size(), 2);
        QVERIFY(b.boites->derniere().texte.startsWith("La fiche en cours n'a pas pu être enregistrée"));
        QVERIFY(b.boites->derniere().texte.contains("31/02/2020"));
        QCOMPARE(texte("matricule"), QString("000001"));
        QCOMPARE(texte("date_naissance"), QString("31/02/2020"));

        // Closing: back to the record, or abandon.
        b.boites->repondre(forms::Oui);
        cliquer("cmdFermer");
        QVERIFY(forms::Feuilles::estChargee(Eleve));
        QCOMPARE(texte("lieu_naissance"), QString("Lyon"));
        QVERIFY(b.boites->derniere().texte.startsWith("La fiche en cours n'a pas pu être enregistrée"));
        zone("date_naissance")->setText("28/02/2020");

        db::BaseDonnees::definirDelaiVerrou(150);
        sqlite3* autre = nullptr;
        sqlite3_open(b.chemin.toUtf8().constData(), &autre);
        QCOMPARE(sqlite3_exec(autre, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        cliquer("cmdMettreàjour");
        sqlite3_exec(autre, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(autre);
        db::BaseDonnees::definirDelaiVerrou(5000);
        QVERIFY(refus(db::erreurs::Verrouille));
        QCOMPARE(texte("lieu_naissance"), QString("Lyon"));
        const int vues = b.boites->vues.size();
        cliquer("cmdMettreàjour");
        QCOMPARE(b.boites->vues.size(), vues);
        QCOMPARE(b.valeur("SELECT \"lieu_naissance_élève\" FROM \"élèves\" WHERE matricule = '000001'"), QString("Lyon"));
        QCOMPARE(b.valeur("SELECT \"date_naissance_élève\" FROM \"élèves\" WHERE matricule = '000001'"),
                 QString("2020-02-28"));

        zone("lieu_naissance")->setText("Caen");
        zone("date_naissance")->setText("32/01/2020");
        b.boites->repondre(forms::Non);
        cliquer("cmdFermer");
        QVERIFY(!forms::Feuilles::estChargee(Eleve));
        QCOMPARE(b.valeur("SELECT \"lieu_naissance_élève\" FROM \"élèves\" WHERE matricule = '000001'"), QString("Lyon"));
    }

    // A new pupil the user has not typed into is not saved, whatever proposed its number or
    // its family; a pupil is never saved without a matricule.
    void nouvel_eleve_non_saisi_et_matricule() {
        Base b;
        menu(MenuEleves);
        QCOMPARE(texte("matricule"), QString("000001"));
        cliquer("cmdFermer");
        QVERIFY(!forms::Feuilles::estChargee(Eleve));
        QCOMPARE(b.compte("élèves"), 0);

        b.eleves({"000007:Martin:Paul"});
        menu(MenuEleves);
        b.boites->repondre(forms::Oui);
        cliquer("cmdAjouter");
        QCOMPARE(texte("matricule"), QString("000008"));
        jeu().MoveFirst();
        QCOMPARE(b.compte("élèves"), 1);
        QCOMPARE(texte("nom_enfant"), QString("Martin"));

        // The box emptied: the next free matricule is given when the pupil is saved.
        b.boites->repondre(forms::Non);
        cliquer("cmdAjouter");
        zone("matricule")->clear();
        zone("nom_enfant")->setText("Sans");
        b.boites->effacer();
        cliquer("cmdMettreàjour");
        QVERIFY(b.boites->vues.isEmpty());
        QCOMPARE(b.valeur("SELECT matricule FROM \"élèves\" WHERE \"nom_élève\" = 'Sans'"), QString("000008"));
        QCOMPARE(texte("matricule"), QString("000008"));
    }

    // A date refused on "&Valider" and typed back as it was is accepted, with the rest. The
    // refusal names the field by its caption on screen; a date past 31/12/2099 is refused too,
    // saying so, the text kept as typed.
    void date_refusee_remise_comme_avant() {
        Base b;
        b.eleves({"000001:Martin:Paul"});
        b.sql("UPDATE \"élèves\" SET \"date_naissance_élève\" = '2015-01-25'");
        menu(MenuEleves);
        QCOMPARE(texte("date_naissance"), QString("25/01/2015"));
        zone("date_naissance")->setText("25/13/2015");
        zone("lieu_naissance")->setText("Nantes");
        cliquer("cmdMettreàjour");
        QCOMPARE(b.boites->vues.size(), 1);
        QVERIFY2(b.boites->derniere().texte.contains("(champ « date de naissance » : « 25/13/2015 » n'est pas une date"),
                 qPrintable(b.boites->derniere().texte));
        zone("date_naissance")->setText("01/01/2100");
        cliquer("cmdMettreàjour");
        QCOMPARE(b.boites->vues.size(), 2);
        QVERIFY2(b.boites->derniere().texte.contains("(champ « date de naissance » : « 01/01/2100 » est après le "
                                                     "31/12/2099 : les dates vont jusqu'au 31/12/2099 au plus tard)"),
                 qPrintable(b.boites->derniere().texte));
        QCOMPARE(texte("date_naissance"), QString("01/01/2100"));
        zone("date_naissance")->setText("25/01/2015");
        cliquer("cmdMettreàjour");
        QCOMPARE(b.boites->vues.size(), 2);
        QCOMPARE(b.valeur("SELECT \"lieu_naissance_élève\" FROM \"élèves\""), QString("Nantes"));
        QCOMPARE(b.valeur("SELECT \"date_naissance_élève\" FROM \"élèves\""), QString("2015-01-25"));
    }

    // Deleting a pupil asks first, naming the pupil, No by default.
    void suppression() {
        Base b;
        b.eleves({"000001:Martin:Paul", "000002:Morel:Luc"});
        menu(MenuEleves);
        cliquer("cmdSupprimer");
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte,
                 QString("Voulez-vous supprimer définitivement la fiche de l'élève Paul Martin (matricule 000001) ?"));
        QCOMPARE(b.boites->derniere().style,
                 forms::styles::OuiNon + forms::styles::Question + forms::styles::DeuxiemeParDefaut);
        QCOMPARE(b.compte("élèves"), 2);
        b.boites->repondre(forms::Oui);
        cliquer("cmdSupprimer");
        QCOMPARE(b.compte("élèves"), 1);
        QCOMPARE(texte("nom_enfant"), QString("Morel"));
    }

    // A matricule taken by another pupil, found on a move: the same proposal as "&Valider".
    void matricule_en_double_au_deplacement() {
        Base b;
        b.eleves({"000001:Martin:Paul", "000002:Morel:Luc"});
        menu(MenuEleves);
        zone("matricule")->setText("000002");
        b.boites->repondre(forms::Oui);
        jeu().MoveNext();
        QVERIFY(b.boites->vues[0].texte.startsWith("Le matricule 000002 est déjà attribué à un autre élève"));
        QCOMPARE(b.valeur("SELECT \"nom_élève\" FROM \"élèves\" WHERE matricule = '000003'"), QString("Martin"));
    }

    // The sort box orders the pupils as its entry says, dates as dates; the first of the
    // order is shown.
    // Each sort offered, chosen by its caption, puts first the pupil it names; none is left
    // untried.
    void tris() {
        Base b;
        b.eleves({"000002:Émile:A", "000010:Dupont:B", "000001:Zola:C"});
        const char* const donnees[][8] = {
            // matricule, born, enrolled, town, nationality, class, level, cycle
            {"000002", "2019-12-20", "2021-09-02", "Lyon", "Belge", "2", "CP", "1"},
            {"000010", "2020-01-05", "2022-09-01", "Brest", "Suisse", "1", "GS", "2"},
            {"000001", "2018-03-01", "2023-01-15", "Caen", "Française", "3", "CE1", "3"}};
        for (const auto& d : donnees)
            b.sql("UPDATE \"élèves\" SET \"date_naissance_élève\" = ?, \"date_inscription_élève\" = ?, "
                  "\"ville_résidence\" = ?, \"nationalité_élève\" = ?, \"référence_classe_élève\" = ?, "
                  "\"niveau_classe_élève\" = ?, \"cycle_classe_élève\" = ? WHERE matricule = ?",
                  {d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[0]});
        const QMap<QString, QString> premier = {
            {"Par ordre alphabétique", "000010"},          {"Par ordre alphabétique inverse", "000001"},
            {"Par ordre des matricules", "000001"},        {"Par ordre inverse des matricules", "000010"},
            {"Par âge", "000001"},                         {"Par âge inverse", "000010"},
            {"Par date d'inscription", "000002"},          {"Par date d'inscription inverse", "000001"},
            {"Par nationalité", "000002"},                 {"Par numéro de classe", "000010"},
            {"Par niveau", "000001"},                      {"Par cycle", "000002"},
            {"Par ville de résidence", "000010"}};
        menu(MenuEleves);
        auto* combo = controle<QComboBox>("Combo1");
        QStringList offerts;
        for (int i = 0; i < combo->count(); ++i) {
            offerts << combo->itemText(i);
            combo->setCurrentIndex(i);
            emit combo->activated(i);
            traiter();
            QVERIFY2(premier.contains(offerts.last()), qPrintable(offerts.last()));
            QVERIFY2(texte("matricule") == premier.value(offerts.last()), qPrintable(offerts.last()));
        }
        offerts.sort();
        QCOMPARE(offerts, premier.keys());
        QVERIFY(b.boites->vues.isEmpty());
    }

    // Searches by matricule and by name: wildcards, an apostrophe and a double quote as
    // typed, nothing found, an empty answer, an empty table.
    void recherches() {
        Base b;
        b.eleves({"000042:D'Artagnan:Charles", "000043:Dupont:Jean", "000044:Durand:Zoé",
                  "000045:Le \"Grand\":Paul", "000046:Zed [a-z] #1:Léo"});
        menu(MenuEleves);
        struct Cas { QString bouton, reponse, trouve; };
        for (const Cas& c : {Cas{"Command2", "42", ""}, Cas{"Command2", "000042", "000042"},
                             Cas{"Command2", "*44", "000044"}, Cas{"Command2", "00004?", "000042"},
                             Cas{"Command13", "du", "000043"}, Cas{"Command13", "D?r", "000044"},
                             Cas{"Command13", "d'art", "000042"}, Cas{"Command13", "Le \"G", "000045"},
                             Cas{"Command13", "X' OR '1'='1", ""},
                             // Only * and ? are wildcards: brackets and # stand for themselves.
                             Cas{"Command13", "[a-z]", ""}, Cas{"Command13", "Zed [a-z] #1", "000046"},
                             Cas{"Command13", "zed [a-z] #?", "000046"}, Cas{"Command2", "#00042", ""}}) {
            jeu().MoveLast();
            const QString avant = texte("matricule");
            b.boites->effacer();
            b.boites->saisir(c.reponse);
            cliquer(c.bouton);
            QCOMPARE(b.boites->vues[0].titre, QString("Positionnement sur une fiche"));
            QVERIFY(b.boites->vues[0].saisie);
            if (c.trouve.isEmpty()) {
                QCOMPARE(b.boites->derniere().texte, QString("Fiche introuvable..."));
                QCOMPARE(b.boites->derniere().style, forms::styles::Information);
                QCOMPARE(forms::pointeur_souris(), 0);  // no hourglass once the box is closed
                QCOMPARE(texte("matricule"), QString("000042"));  // the first record, where the find began
            } else {
                QVERIFY2(texte("matricule") == c.trouve, qPrintable(c.reponse));
                QCOMPARE(b.boites->vues.size(), 1);
            }
            (void)avant;
        }
        b.boites->effacer();
        b.boites->saisir("   ");
        jeu().MoveLast();
        cliquer("Command13");
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(texte("matricule"), QString("000046"));

        Base vide;
        menu(MenuEleves);
        vide.boites->annulerSaisie();
        cliquer("Command13");
        vide.boites->saisir("DUP");
        cliquer("Command13");
        QCOMPARE(vide.boites->derniere().texte, QString("Fiche introuvable..."));
    }


    // Every choice button opens its picker with "Accepter"; accepting fills the pupil's fields
    // and moves the focus where the picker says.
    void selecteurs() {
        Base b;
        b.eleves({"000001:Martin:Paul"});
        b.sql("INSERT INTO adresses (\"détails\") VALUES ('rue des Lilas')");
        b.sql("INSERT INTO villes (code_postal, \"détails\") VALUES ('69001', 'Lyon')");
        b.sql("INSERT INTO \"équipe\" (\"référence_classe_enseignant\", niveau_classe_enseignant, "
              "cycle_classe_enseignant) VALUES ('3', 'CE1', '2')");
        const auto premiere = [&](const QString& table, const QString& colonnes) {
            return b.sql("SELECT " + colonnes + " FROM \"" + table + "\" ORDER BY rowid LIMIT 1").lignes.value(0);
        };
        const auto nat = premiere("nationalités", "\"détails\", code");
        struct Cas { QString bouton, selecteur; QStringList zones, valeurs; QString focus; };
        const Cas cas[] = {
            {"Command5", "feuille_nationalités", {"nationalité", "code_nationalité"},
             {nat.value(0).toString(), nat.value(1).toString()}, ""},
            {"Command7", "feuille_sexe", {"sexe"}, {premiere("sexe", "\"détails\"").value(0).toString()},
             "date_naissance"},
            {"Command8", "feuille_adresses", {"adresse_résidence"}, {"rue des Lilas"}, "adresse2_résidence"},
            {"Command9", "feuille_villes", {"code_postal_résidence", "ville_résidence"}, {"69001", "Lyon"},
             "téléphone1_résidence"},
            {"Command10", "feuille_villes", {"code_postal_résidence", "ville_résidence"}, {"69001", "Lyon"},
             "téléphone1_résidence"},
            {"Command11", "feuille_langues_vivantes", {"langue_vivante_élève"},
             {premiere("langues_vivantes", "\"détails\"").value(0).toString()}, ""},
            {"Command12", "feuille_équipe", {"référence_classe_élève", "niveau_classe_élève", "cycle_classe_élève"},
             {"3", "CE1", "2"}, "cursus_allongé_élève"},
        };
        menu(MenuEleves);
        for (const Cas& c : cas) {
            for (const QString& z : c.zones) zone(z)->clear();
            entrer("lieu_naissance");
            cliquer(c.bouton);
            QVERIFY2(forms::Feuilles::estChargee(c.selecteur), qPrintable(c.bouton));
            auto* accepter = forms::Feuilles::charger(c.selecteur).controle<QPushButton>("bouton_accepter");
            QVERIFY(accepter->isVisible() && accepter->isEnabled());
            cliquer(c.selecteur, "bouton_accepter");
            QVERIFY(!forms::Feuilles::estChargee(c.selecteur));
            for (int i = 0; i < c.zones.size(); ++i) QCOMPARE(texte(c.zones[i]), c.valeurs[i]);
            if (!c.focus.isEmpty()) QCOMPARE(fenetre().focusWidget()->objectName(), c.focus);
        }
        QVERIFY(b.boites->vues.isEmpty());
        cliquer("cmdMettreàjour");
        QCOMPARE(b.valeur("SELECT \"ville_résidence\" || \"référence_classe_élève\" FROM \"élèves\""), QString("Lyon3"));

        // An empty teaching team opens on a new teacher.
        b.sql("DELETE FROM \"équipe\"");
        cliquer("Command12");
        QCOMPARE(forms::Feuilles::charger("feuille_équipe").controle<forms::ControleDonnees>("datPrimaryRS")
                     ->Recordset().EditMode(), 2);
    }

    // The configurable fields take their captions and tooltips from `paramètres`; today's date
    // goes into the enrolment date.
    void champs_parametrables_et_date_du_jour() {
        Base b;
        b.eleves({"000001:Martin:Paul"});
        b.sql("UPDATE \"paramètres\" SET \"intitulé_champ_paramétrable1\" = 'Cantine', "
              "\"infobulle_champ_paramétrable3\" = 'Garderie du soir (oui / non)'");
        menu(MenuEleves);
        QCOMPARE(controle<QLabel>("lblLabels(0)")->text(), QString("Cantine"));
        QCOMPARE(controle("champ_paramétable3")->toolTip(), QString("Garderie du soir (oui / non)"));
        QCOMPARE(controle("champ_paramétable4")->toolTip(), QString());
        const test::JourFixe jour(QDate(2028, 2, 29));
        cliquer("Command15");
        QCOMPARE(texte("date_inscription"), QString("29/02/2028"));
    }

    // The photo: chosen in the chooser among JPG, BMP and GIF files with a preview, stored with
    // its full path; a file gone or unreadable clears the picture and keeps the path, and is
    // told when the user has just chosen it.
    void photo() {
        Base b;
        b.eleves({"000001:Martin:Paul", "000002:Morel:Luc"});
        QTemporaryDir images;
        QImage image(60, 80, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(images.filePath("a.jpg")));
        QVERIFY(image.save(images.filePath("b.BMP"), "BMP"));
        QVERIFY(image.save(images.filePath("c.jpeg")));
        QVERIFY(image.save(images.filePath("d.png")));
        QFile faux(images.filePath("faux.jpg"));
        QVERIFY(faux.open(QIODevice::WriteOnly));
        faux.write("pas une image");
        faux.close();
        b.sql("UPDATE \"élèves\" SET chemin_photo = ? WHERE matricule = '000002'", {images.filePath("absent.jpg")});
        menu(MenuEleves);
        auto* photo = controle<QLabel>("photo");

        cliquer("Command14");
        auto& choix = forms::Feuilles::charger("feuille_choix_photo");
        QCOMPARE(choix.Caption(), QString("Sélection de la photo de l'enfant"));
        choix.controle<forms::ListeDossiers>("Dir1")->setPath(images.path());
        auto* fichiers = choix.controle<forms::ListeFichiers>("File1");
        QStringList noms;
        for (int i = 0; i < fichiers->count(); ++i) noms << fichiers->item(i)->text();
        QCOMPARE(noms, QStringList({"a.jpg", "b.BMP", "faux.jpg"}));
        auto* label4 = choix.controle<QLabel>("Label4");
        auto* apercu = choix.controle<QLabel>("apercu");
        fichiers->setListIndex(2);
        traiter();
        QVERIFY(b.boites->derniere().texte.startsWith("Le logiciel a rencontré l'erreur : 481\n\n"));
        fichiers->setListIndex(1);
        traiter();
        QCOMPARE(label4->text(), images.filePath("b.BMP"));
        QVERIFY(!apercu->pixmap().isNull());
        choix.controle<forms::ListeDossiers>("Dir1")->setPath(QDir::tempPath());
        QCOMPARE(label4->text(), QString());
        QVERIFY(apercu->pixmap().isNull());
        choix.controle<forms::ListeDossiers>("Dir1")->setPath(images.path());
        fichiers->setListIndex(0);
        traiter();
        b.boites->effacer();
        cliquer("feuille_choix_photo", "cmdMettreàjour");
        QVERIFY(!forms::Feuilles::estChargee("feuille_choix_photo"));
        QCOMPARE(texte("chemin_photo"), images.filePath("a.jpg"));
        QVERIFY(!photo->pixmap().isNull());
        QVERIFY(photo->pixmap().height() <= photo->contentsRect().height());
        QVERIFY(qAbs(photo->pixmap().width() * 4 - photo->pixmap().height() * 3) <= 4);  // 3 by 4, as drawn
        cliquer("cmdMettreàjour");
        QCOMPARE(b.valeur("SELECT chemin_photo FROM \"élèves\" WHERE matricule = '000001'"), images.filePath("a.jpg"));

        // Moving onto a pupil whose photo file is gone: cleared, kept, nothing said.
        jeu().MoveNext();
        QCOMPARE(texte("chemin_photo"), images.filePath("absent.jpg"));
        QVERIFY(photo->pixmap().isNull());
        QVERIFY(b.boites->vues.isEmpty());

        // Chosen by the user: told why.
        cliquer("Command14");
        auto& choix2 = forms::Feuilles::charger("feuille_choix_photo");
        QFile::remove(images.filePath("a.jpg"));
        choix2.controle<forms::ListeDossiers>("Dir1")->setPath(images.path());
        auto* fichiers2 = choix2.controle<forms::ListeFichiers>("File1");
        fichiers2->setListIndex(fichiers2->row(fichiers2->findItems("faux.jpg", Qt::MatchExactly).value(0)));
        traiter();
        QCOMPARE(choix2.controle<QLabel>("Label4")->text(), images.filePath("faux.jpg"));
        b.boites->effacer();
        cliquer("feuille_choix_photo", "cmdMettreàjour");
        QCOMPARE(b.boites->vues.size(), 1);
        QVERIFY(b.boites->derniere().texte.startsWith("La photo ne peut pas être affichée : le fichier « " +
                                                     images.filePath("faux.jpg") + " » n'est pas une image lisible"));
        QCOMPARE(texte("chemin_photo"), images.filePath("faux.jpg"));
        QVERIFY(photo->pixmap().isNull());

        // "&Accepter" with nothing chosen empties the path.
        cliquer("Command14");
        cliquer("feuille_choix_photo", "cmdMettreàjour");
        QCOMPARE(texte("chemin_photo"), QString());
    }


    // "Parents" shows the pupil's family, says when it does not exist, links through the
    // family picker or creates the family; the guardian's address is copied into the
    // residence; leaving the sex with a new value adds it to its list.
    void parents_adresse_et_listes() {
        Base b;
        b.sql("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\", \"numéro_responsable\", "
              "adresse_responsable, adresse2_responsable, code_postal_responsable, ville_responsable) VALUES "
              "('000007', 'Martin', '12', 'rue Haute', 'Bât B', '69001', 'Lyon'), "
              "('000041', 'Morel', '', '', '', '', '')");
        b.eleves({"000001:Martin:Paul", "000002:Morel:Luc", "000003:Petit:Léa"});
        b.sql("UPDATE \"élèves\" SET \"référence_famille\" = '000007' WHERE matricule = '000001'");
        b.sql("UPDATE \"élèves\" SET \"référence_famille\" = '000099' WHERE matricule = '000002'");
        menu(MenuEleves);
        cliquer("Command16");
        QCOMPARE(QStringList({texte("numéro_résidence"), texte("adresse_résidence"), texte("adresse2_résidence"),
                              texte("code_postal_résidence"), texte("ville_résidence")}),
                 QStringList({"12", "rue Haute", "Bât B", "69001", "Lyon"}));
        cliquer("Command4");
        QVERIFY(forms::Feuilles::charger("feuille_famille").estAffichee());
        QCOMPARE(forms::Feuilles::charger("feuille_famille").controle<QLineEdit>("Text13")->text(), QString("000007"));
        QVERIFY(b.boites->vues.isEmpty());
        forms::Feuilles::decharger("feuille_famille");
        traiter();

        jeu().MoveNext();
        QCOMPARE(b.valeur("SELECT \"ville_résidence\" FROM \"élèves\" WHERE matricule = '000001'"), QString("Lyon"));
        cliquer("Command4");
        QCOMPARE(b.boites->derniere().texte, QString("La fiche de la famille n'existe pas... Créez-la!"));
        QCOMPARE(b.boites->derniere().style, forms::styles::OuiNon + forms::styles::Question);
        QVERIFY(!forms::Feuilles::charger("feuille_famille").estAffichee());
        cliquer("Command16");
        QCOMPARE(b.boites->derniere().texte, QString("La fiche de l'élève n'est pas encore liée à la fiche des parents."));
        QCOMPARE(texte("ville_résidence"), QString());

        jeu().MoveNext();
        b.boites->effacer();
        cliquer("Command16");
        QVERIFY(b.boites->vues.isEmpty());
        b.boites->repondre(forms::Oui);
        cliquer("Command4");
        QCOMPARE(b.boites->vues[0].texte, QString("La fiche de l'élève n'est pas encore liée à la fiche des parents.\n\n La "
                                                  "fiche des parents a t-elle déjà été créée lors d'une saisie précédente?"));
        QVERIFY(forms::Feuilles::charger("feuille_choix_famille").controle<QPushButton>("bouton_accepter")->isVisible());
        cliquer("feuille_choix_famille", "bouton_accepter");
        QVERIFY(!texte("référence_famille").isEmpty());
        QCOMPARE(fenetre().focusWidget()->objectName(), QString("référence_famille"));
        zone("référence_famille")->clear();
        b.boites->repondre(forms::Non);
        cliquer("Command4");
        auto& famille = forms::Feuilles::charger("feuille_famille");
        QVERIFY(famille.estAffichee());
        QCOMPARE(famille.controle<QLineEdit>("Text13")->text(), QString("000042"));
        QCOMPARE(texte("référence_famille"), QString());

        b.boites->effacer();
        entrer("sexe");
        zone("sexe")->setText("Neutre");
        entrer("lieu_naissance");
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte, QString("Le sexe saisi n'existait pas dans la table 'sexes'.\n\nCette "
                                                     "donnée a été ajoutée dans la table connexe..."));
        QCOMPARE(b.boites->derniere().style, forms::styles::Information);
        QCOMPARE(b.valeur("SELECT COUNT(*) FROM sexe WHERE \"détails\" = 'Neutre'"), QString("1"));
    }


    // A school's first family, made from its first pupil's "Parents", is numbered 000001.
    void premiere_famille() {
        Base b;
        b.eleves({"000001:Martin:Paul"});
        menu(MenuEleves);
        b.boites->repondre(forms::Non);
        cliquer("Command4");
        QCOMPARE(b.boites->vues.size(), 1);
        auto& famille = forms::Feuilles::charger("feuille_famille");
        QVERIFY(famille.estAffichee());
        QCOMPARE(famille.controle<QLineEdit>("Text13")->text(), QString("000001"));
    }

    // The demonstration database opens on a pupil with a portrait and something on every tab.
    // Its portraits are stored relative to its folder: a copy of the program folder shows them,
    // and so does a database moved away from the program with its "photos" folder.
    void base_de_demonstration() {
        Base b(true);
        QDir photos(QDir(b.dossier.path()).filePath("photos"));
        QVERIFY(photos.mkpath("."));
        const QDir source(QStringLiteral(CARNELIS_DOSSIER_PROGRAMME "/photos"));
        for (const QString& f : source.entryList(QDir::Files)) QVERIFY(QFile::copy(source.filePath(f), photos.filePath(f)));
        QCOMPARE(b.valeur("SELECT chemin_photo FROM \"élèves\" WHERE matricule = '000001'"), QString("photos/eleve_000001.jpg"));
        const QString programme = Module1::chemin_programme;
        QTemporaryDir ailleurs;
        Module1::chemin_programme = ailleurs.path() + '/';
        menu(MenuEleves);
        QCOMPARE(texte("matricule"), QString("000001"));
        QVERIFY(!controle<QLabel>("photo")->pixmap().isNull());
        // The program folder copied elsewhere with its photos, the database on its own.
        forms::Feuilles::toutDecharger();
        QVERIFY(photos.removeRecursively());
        QVERIFY(QDir(ailleurs.path()).mkpath("photos"));
        QVERIFY(QFile::copy(source.filePath("eleve_000001.jpg"), QDir(ailleurs.path()).filePath("photos/eleve_000001.jpg")));
        Module1::chemin_programme = ailleurs.path() + '/';
        menu(MenuEleves);
        Module1::chemin_programme = programme;
        QVERIFY(!controle<QLabel>("photo")->pixmap().isNull());
        QVERIFY(controle<QLabel>("Label12")->text().contains(" a - "));
        QVector<int> remplis(7);
        for (const forms::Champ& c : eleve::champs()) {
            if (c.onglet < 0 || c.genre == forms::Genre::Cachee || c.genre == forms::Genre::Case) continue;
            auto* w = controle(c.controle);
            const QString t = c.genre == forms::Genre::Multiligne ? static_cast<QPlainTextEdit*>(w)->toPlainText()
                                                                   : static_cast<QLineEdit*>(w)->text();
            if (!t.isEmpty()) ++remplis[c.onglet];
        }
        QVERIFY2(!remplis.contains(0), qPrintable(QString("%1").arg(remplis.indexOf(0))));
        QVERIFY(controle<QLabel>("lblLabels(9)")->text() != "champ paramétable 10");
        QVERIFY(b.boites->vues.isEmpty());
    }

    void age_data() {
        QTest::addColumn<QDate>("naissance");
        QTest::addColumn<QDate>("jour");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("mois suivant") << QDate(2020, 3, 10) << QDate(2024, 4, 5) << "4 a - 0 m - 26 j";
        QTest::newRow("veille d'anniversaire") << QDate(2020, 3, 10) << QDate(2024, 3, 5) << "3 a - 11 m - 24 j";
        QTest::newRow("février bissextile") << QDate(2020, 2, 28) << QDate(2024, 3, 1) << "4 a - 0 m - 2 j";
        QTest::newRow("février") << QDate(2023, 1, 31) << QDate(2023, 3, 1) << "0 a - 1 m - 1 j";
        QTest::newRow("aujourd'hui") << QDate(2024, 3, 5) << QDate(2024, 3, 5) << "0 a - 0 m - 0 j";
        QTest::newRow("demain") << QDate(2024, 3, 6) << QDate(2024, 3, 5) << "## erreur ##";
    }
    void age() {
        QFETCH(QDate, naissance);
        QFETCH(QDate, jour);
        QFETCH(QString, attendu);
        QCOMPARE(eleve::age(naissance, jour), attendu);
    }

    // The age follows the birth date typed or shown, counted on the day the program is given;
    // a pupil without a birth date, a new blank pupil and a text that is no date show no age.
    void age_affiche() {
        Base b;
        const test::JourFixe jour(QDate(2024, 3, 5));
        b.eleves({"000001:Aa:A", "000002:Bb:B"});
        b.sql("UPDATE \"élèves\" SET \"date_naissance_élève\" = '2019-03-05' WHERE matricule = '000001'");
        menu(MenuEleves);
        auto* label12 = controle<QLabel>("Label12");
        QCOMPARE(label12->text(), QString("5 a - 0 m - 0 j"));
        jeu().MoveNext();
        QCOMPARE(texte("matricule"), QString("000002"));
        QCOMPARE(label12->text(), QString());
        zone("date_naissance")->setText("06/03/2024");
        QCOMPARE(label12->text(), QString("## erreur ##"));
        zone("date_naissance")->setText("10/03/2020");
        QCOMPARE(label12->text(), QString("3 a - 11 m - 24 j"));
        for (const char* impossible : {"31/02/2019", "pas une date"}) {
            zone("date_naissance")->setText("10/03/2020");
            zone("date_naissance")->setText(impossible);
            QVERIFY2(label12->text().isEmpty(), impossible);
        }
        zone("date_naissance")->clear();
        jeu().MoveFirst();
        QCOMPARE(label12->text(), QString("5 a - 0 m - 0 j"));
        b.boites->repondre(forms::Non);
        cliquer("cmdAjouter");
        QCOMPARE(jeu().EditMode(), 2);
        QCOMPARE(label12->text(), QString());
        QCOMPARE(b.boites->vues.size(), 1);  // the new pupil's question, no error
    }
};

QTEST_MAIN(TestEleve)
#include "test_eleve.moc"
