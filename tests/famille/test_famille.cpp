// The family window, its lookups, the self-extending lists and the family picker, driven
// through their controls as the user drives them.
#include "banc_famille.h"
#include <QClipboard>
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/grille_donnees.h"
#include "platform/forms/pointeur.h"
#include "platform/report/crystal_report.h"
#include "platform/forms/selecteurs.h"
#include "records/feuille_famille.h"
#include "records/liste_auto_extensible.h"
#include <QApplication>
#include <QLayout>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStringDecoder>
#include <QToolButton>
#include <sqlite3.h>

using namespace banc;

namespace {

QString erreur_generale(int numero) {
    return QStringLiteral("Le logiciel a rencontré l'erreur : %1\n\n%2").arg(numero).arg(db::texte_erreur(numero));
}

const QString Ajoute = QStringLiteral("\n\nCette donnée a été ajoutée dans la table connexe...");

// Counts, on every connection opened meanwhile, the readings of a table's rows in an order
// (what a sort costs).
struct LecturesComptees {
    static inline QHash<QString, int> lectures;
    static int tracer(unsigned, void*, void*, void* x) {
        const QString sql = QString::fromUtf8(static_cast<const char*>(x));
        // The rows' identities in an order, sorted by SQLite or read with their sort values.
        if (sql.startsWith("SELECT rowid") && (sql.contains(" ORDER BY ") || sql.startsWith("SELECT rowid, ")))
            ++lectures[sql.section(" FROM \"", 1).section('"', 0, 0)];
        return 0;
    }
    static int installer(sqlite3* p, const char**, const sqlite3_api_routines*) {
        sqlite3_trace_v2(p, SQLITE_TRACE_STMT, &tracer, nullptr);
        return SQLITE_OK;
    }
    LecturesComptees() { sqlite3_auto_extension(reinterpret_cast<void (*)()>(&installer)); }
    ~LecturesComptees() { sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&installer)); }
    // The readings of `table` since the last call.
    int depuis(const QString& table) { return lectures.take(table); }
};

// Opens the window as the menu does, with the families already in the file.
void ouvrir() { menu(MenuFamilles); }

// The last box is the question asked before that family is deleted, No by default.
void verifier_question_suppression(const BaseCommune& b, const QString& famille, const QString& reference) {
    QCOMPARE(b.boites->derniere().texte,
             QString("Voulez-vous supprimer définitivement la fiche de la famille %1 (référence %2) ?\n\n"
                     "Les fiches de ses enfants resteront, sans famille.")
                 .arg(famille, reference));
    QCOMPARE(b.boites->derniere().style,
             forms::styles::OuiNon + forms::styles::Question + forms::styles::DeuxiemeParDefaut);
}
// An entry of the sort box chosen as the user chooses it, the one shown included.
void choisir_tri(int entree) {
    auto* tri = controle<QComboBox>(Famille, "Combo1");
    tri->setCurrentIndex(entree);
    emit tri->activated(entree);
    traiter();
}

}  // namespace

namespace banc {
inline void enregistrer_tout() {
    enregistrer_feuilles_settings();
    enregistrer_feuilles_records();
}
}  // namespace banc

class TestFamille : public QObject {
    Q_OBJECT
private slots:
    // The menu: first family 000001 on an empty table, the first tab, the families by name.
    void ouverture_par_le_menu() {
        {
            Base b;
            ouvrir();
            QVERIFY(feuille(Famille).estAffichee());
            QCOMPARE(feuille(Famille).Caption(), QString("Fiche famille"));
            QCOMPARE(texte("Text13"), QString("000001"));
            QCOMPARE(onglets()->currentIndex(), 0);
            QCOMPARE(focalise(Famille), QString("nom_responsable_légal"));
            // Every field has room at the designed size, which fits a 1024 x 768 screen.
            const QSize minimum = feuille(Famille).layout()->minimumSize();
            QVERIFY(minimum.height() <= feuille(Famille).height() && minimum.width() <= feuille(Famille).width());
            QVERIFY(feuille(Famille).sousFenetre()->height() <= 500 && feuille(Famille).sousFenetre()->width() <= 890);
            cliquer("cmdMettreàjour");
            QCOMPARE(b.valeur("SELECT \"référence_famille\" FROM familles"), QString("000001"));
        }
        Base b;
        b.familles(3, {"Martin", "Bernard", "Dubois"});
        ouvrir();
        QCOMPARE(texte("nom_responsable_légal"), QString("Bernard"));
        QCOMPARE(dat()->Caption(), QString("Fiche: 1"));
        QCOMPARE(controle<QComboBox>(Famille, "Combo1")->currentText(), QString("Par ordre alphabétique"));
        QVERIFY(b.boites->vues.isEmpty());
    }

    // 000041 gives 000042, shown empty in alphabetical order; nothing saved until "&Valider".
    void numerotation() {
        Base b;
        b.familles(41);
        ouvrir();
        choisir_tri(3);
        zone("nom_responsable_légal")->setText("Zola");
        cliquer("cmdAjouter");
        QCOMPARE(b.compte("familles"), 41);
        QCOMPARE(texte("Text13"), QString("000042"));
        QCOMPARE(texte("nom_responsable_légal"), QString());
        QCOMPARE(dat()->Caption(), QString("Fiche: 0"));
        QCOMPARE(controle<QComboBox>(Famille, "Combo1")->currentIndex(), 0);
        QCOMPARE(dat()->RecordSource(), famille::FeuilleFamille::sourceAlphabetique());
        zone("nom_responsable_légal")->setText("Abel");
        cliquer("cmdMettreàjour");
        QCOMPARE(b.valeur("SELECT \"nom_responsable_légal\" FROM familles WHERE \"référence_famille\" = '000042'"),
                 QString("Abel"));
        QCOMPARE(texte("Text13"), QString("000042"));
        // The record left by "&Ajouter" was saved first, as any move saves it.
        QCOMPARE(b.compte("familles", "\"nom_responsable_légal\" = 'Zola'"), 1);

        // A highest reference that is not a number: told, nothing added.
        b.sql("UPDATE familles SET \"référence_famille\" = 'X1' WHERE \"référence_famille\" = '000042'");
        b.boites->effacer();
        cliquer("cmdAjouter");
        QCOMPARE(b.boites->derniere().texte, QString("Le logiciel a rencontré l'erreur : 13\n\nType incompatible."));
        QCOMPARE(jeu().EditMode(), 0);
    }

    // A name is found whatever its accents and case, either way round, as the order compares
    // names; "*" and "?" still work.
    void recherche_sans_accents() {
        Base b;
        b.familles(3, {"Arnaud", "Eloi", "NOËL"});
        ouvrir();
        for (const auto& [reponse, trouve] : {std::pair{"ÉLOI", "000002"}, {"noel", "000003"}, {"n?ël*", "000003"}}) {
            b.boites->saisir(QString::fromUtf8(reponse));
            cliquer("Command23");
            QVERIFY2(texte("Text13") == trouve, reponse);
        }
        QCOMPARE(b.boites->vues.size(), 3);  // the three questions, and no "Fiche introuvable..."
    }

    // Leaving Text13 writes six digits; leaving it empty leaves it empty.
    void reference_a_six_chiffres() {
        Base b;
        b.familles(2);
        ouvrir();
        entrer("Text13");
        zone("Text13")->setText("7");
        quitter_vers("nom_responsable_légal");
        QCOMPARE(texte("Text13"), QString("000007"));
        entrer("Text13");
        zone("Text13")->clear();
        quitter_vers("nom_responsable_légal");
        QCOMPARE(texte("Text13"), QString());
        entrer("Text13");
        zone("Text13")->setText("7b");
        quitter_vers("nom_responsable_légal");
        QCOMPARE(texte("Text13"), QString("7b"));
    }

    // Boxes marked to turn the tab bring theirs to the front; the others leave it.
    void onglet_suit_le_champ() {
        Base b;
        b.familles(1);
        ouvrir();
        struct Cas { QString zone; int avant, apres; };
        for (const Cas& c : {Cas{"police_assurance", 0, 2}, Cas{"nom_conjoint", 0, 1}, Cas{"Text11", 1, 0},
                             Cas{"observations_assurance", 0, 0}, Cas{"adresse_médecin_traitant", 1, 1},
                             Cas{"genre_conjoint", 0, 0}, Cas{"communication_données", 0, 0},
                             Cas{"Text13", 2, 2}}) {
            onglets()->setCurrentIndex(c.avant);
            feuille(Famille).findChild<QWidget*>(c.zone)->setFocus(Qt::MouseFocusReason);
            traiter();
            QVERIFY2(onglets()->currentIndex() == c.apres, qPrintable(c.zone));
        }
    }

    // The four orders, each with its first family, the entry shown chosen again included.
    void tris() {
        Base b;
        b.familles(3, {"Martin", "Bernard", "Dubois"});
        b.sql("UPDATE familles SET \"prénom_responsable_légal\" = 'Anne' WHERE \"référence_famille\" = '000002'");
        b.sql("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\", \"prénom_responsable_légal\") "
              "VALUES ('000004', 'Bernard', 'Zoé')");
        ouvrir();
        auto* tri = controle<QComboBox>(Famille, "Combo1");
        const QStringList premieres = {"000002", "000001", "000001", "000004"};
        for (int i : {1, 2, 3, 0}) {
            choisir_tri(i);
            QVERIFY2(texte("Text13") == premieres[i], qPrintable(tri->currentText()));
        }
        choisir_tri(1);
        jeu().MoveLast();
        QCOMPARE(texte("Text13"), QString("000002"));  // Bernard Anne last in reverse order
        // The entry shown chosen again sorts again: back to its first family.
        choisir_tri(1);
        QCOMPARE(texte("Text13"), QString("000001"));
    }

    // The reference is looked for exactly; names by their beginning, wildcards and quotes as typed.
    void recherches() {
        Base b;
        b.familles(8, {"Martin", "Dupont", "D'Artagnan", "Dupuis", "Le \"Grand\"", "Zorro", "Arnaud", "Durand"});
        ouvrir();
        struct Cas { QString bouton, reponse, trouve; bool introuvable; };
        const QList<Cas> cas = {
            {"Command1", "000007", "000007", false},
            {"Command1", "7", "", true},
            {"Command23", "dup", "000002", false},
            {"Command23", "d?pui", "000004", false},
            {"Command23", "d'art", "000003", false},
            {"Command23", "Le \"G", "000005", false},
            {"Command23", "*rand", "000008", false},
            {"Command23", "Xavier", "", true},
        };
        for (const Cas& c : cas) {
            jeu().MoveLast();
            b.boites->effacer();
            b.boites->saisir(c.reponse);
            cliquer(c.bouton);
            QCOMPARE(b.boites->vues.first().titre, QString("Positionnement sur une fiche"));
            if (c.introuvable) {
                QCOMPARE(b.boites->vues.size(), 2);
                QCOMPARE(b.boites->derniere().texte, QString("Fiche introuvable..."));
                QCOMPARE(b.boites->derniere().style, forms::styles::Information);
                QCOMPARE(b.boites->derniere().titre, forms::titre_application());
                QCOMPARE(forms::pointeur_souris(), 0);  // no hourglass once the box is closed
            } else {
                QVERIFY2(texte("Text13") == c.trouve, qPrintable(c.reponse));
                QCOMPARE(b.boites->vues.size(), 1);
            }
        }
        QCOMPARE(b.boites->vues.first().texte,
                 QString("Entrez le nom du Responsable légal (entier OU partiel) dont vous voulez voir la fiche..."));
        // Cancelled, or only spaces: nothing moves.
        jeu().MoveLast();
        const QString derniere = texte("Text13");
        b.boites->effacer();
        b.boites->annulerSaisie();
        cliquer("Command22");
        b.boites->saisir("   ");
        QTest::mouseDClick(zone("Text13"), Qt::LeftButton);
        traiter();
        QCOMPARE(b.boites->vues.size(), 2);
        QCOMPARE(b.boites->derniere().texte,
                 QString("Entrez la REFERENCE EXACTE de la famille dont vous voulez voir la fiche..."));
        QCOMPARE(texte("Text13"), derniere);
    }

    // Typed text is looked for as typed: only "*" and "?" are wildcards, so "#" and "[...]" in
    // an address or a name match themselves; a control character pasted into a field is
    // dropped, one in a search's answer is refused in French.
    void texte_pris_tel_quel() {
        Base b;
        b.familles(3, {"Bernard", "[a-z] Bis", "Arnaud"});
        ouvrir();
        for (const QString& adresse : {QStringLiteral("Appt #3"), QStringLiteral("Bât. [A]")}) {
            for (int fois = 0; fois < 3; ++fois) {
                zone("Text2")->setText(adresse);
                entrer("Text2");
                quitter_vers("Text13");
            }
            QCOMPARE(b.compte("adresses", "\"détails\" = '" + adresse + "'"), 1);
        }
        // "Appt #3" is not "Appt 13", nor is "[A]" any capital letter.
        for (const QString& adresse : {QStringLiteral("Appt 13"), QStringLiteral("Bât. B")}) {
            zone("Text2")->setText(adresse);
            entrer("Text2");
            quitter_vers("Text13");
            QCOMPARE(b.compte("adresses", "\"détails\" = '" + adresse + "'"), 1);
        }

        b.boites->effacer();
        entrer("Text2");
        zone("Text2")->clear();
        QApplication::clipboard()->setText(QString("Appt\tn") + QChar(0) + QString("o 4\n"));
        QTest::keyClick(zone("Text2"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(zone("Text2")->text(), QString("Appt no 4 "));
        quitter_vers("Text13");
        QCOMPARE(b.compte("adresses", "\"détails\" = 'Appt no 4 '"), 1);
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().style, forms::styles::Information);

        jeu().MoveFirst();
        b.boites->effacer();
        b.boites->saisir("[a-z]");
        cliquer("Command23");
        QCOMPARE(texte("Text13"), QString("000002"));
        b.boites->effacer();
        b.boites->saisir("[b]*");
        cliquer("Command23");
        QCOMPARE(b.boites->derniere().texte, QString("Fiche introuvable..."));

        b.boites->effacer();
        b.boites->saisir(QString("Ber") + QChar(0));
        cliquer("Command23");
        QCOMPARE(b.boites->vues.size(), 2);
        QVERIFY2(b.boites->derniere().texte.startsWith("Le texte saisi contient un caractère de contrôle invisible"),
                 qPrintable(b.boites->derniere().texte));
        QCOMPARE(b.boites->derniere().style, forms::styles::Avertissement);
        QCOMPARE(b.boites->derniere().titre, forms::titre_application());
        QCOMPARE(texte("Text13"), QString("000002"));
    }

    // A search on an empty table says so and the window stays usable.
    void recherche_table_vide() {
        Base b;
        Module1::ouvrir_table_familles();
        b.boites->saisir("dup");
        cliquer("Command23");
        QCOMPARE(b.boites->derniere().texte, QString("Fiche introuvable..."));
        QVERIFY(forms::Feuilles::estChargee(Famille));
    }

    // Every choice button opens its list as a picker; accepting a row fills the boxes of the
    // right parent and moves the focus where the next entry is typed.
    void boutons_de_choix() {
        Base b;
        b.familles(1);
        b.sql("INSERT INTO villes (code_postal, \"détails\") VALUES ('69530', 'Brignais')");
        b.sql("INSERT INTO adresses (\"détails\") VALUES ('Impasse des Lilas')");
        b.sql("INSERT INTO assurances (\"détails\") VALUES ('MAIF')");
        b.sql("INSERT INTO \"médecins\" (nom, \"téléphone\", adresse, ville) VALUES ('Dr Lefèvre', '04 78 00 00 01', "
              "'2 rue Haute', 'Oullins')");
        b.sql("INSERT INTO \"hôpitaux\" (nom, \"téléphone\", adresse, ville) VALUES ('Clinique du Parc', "
              "'04 72 00 00 02', '9 avenue Basse', 'Écully')");
        ouvrir();
        struct Cas { QString bouton; QStringList zones; QString focus; };
        const QList<Cas> cas = {
            {"Command21", {"genre_responsable_légal"}, "nom_responsable_légal"},
            {"Command20", {"genre_conjoint"}, "nom_conjoint"},
            {"Command13", {"csp_responsable_légal"}, ""},
            {"Command14", {"csp_conjoint"}, ""},
            {"Command18", {"élection_comité_responsable_légal"}, ""},
            {"Command17", {"élection_comité_conjoint"}, ""},
            {"Command19", {"communication_données"}, ""},
            {"Command8", {"Text2"}, "Text1"},
            {"Command2", {"Text7"}, "Text6"},
            {"Command6", {"Text5", "Text4"}, ""},
            {"Command5", {"Text5", "Text4"}, ""},
            {"Command9", {"Text10", "Text9"}, ""},
            {"Command7", {"Text10", "Text9"}, ""},
            {"Command15", {"Text11"}, "Text3"},
            {"Command12", {"société_assurance"}, "police_assurance"},
            {"Command10", {"médecin_traitant", "téléphone_médecin_traitant", "adresse_médecin_traitant",
                           "ville_médecin_traitant"}, ""},
            {"Command11", {"hôpital_préférentiel", "téléphone_hôpital_préférentiel", "adresse_hôpital_préférentiel",
                           "ville_hôpital_préférentiel"}, ""},
        };
        for (const Cas& c : cas) {
            for (const QString& z : c.zones) zone(z)->clear();
            auto* bouton = controle<QPushButton>(Famille, c.bouton);
            QCOMPARE(bouton->toolTip(), QString("Cliquez pour accéder aux différents choix possibles (F4)"));
            cliquer(c.bouton);
            forms::Feuille* selecteur = nullptr;
            for (QWidget* w : QApplication::allWidgets())
                if (auto* f = qobject_cast<forms::Feuille*>(w); f && f->nom() != Famille && f->estAffichee())
                    if (auto* a = f->findChild<QPushButton*>("bouton_accepter"); a && !a->isHidden()) selecteur = f;
            QVERIFY2(selecteur, qPrintable(c.bouton));
            auto* grille = selecteur->controle<forms::GrilleDonnees>("grdDataGrid");
            const int ligne = grille->model()->rowCount() > 2 ? 1 : 0;
            grille->setCurrentIndex(grille->model()->index(ligne, 0));
            QStringList attendu;
            for (int col = 0; col < c.zones.size(); ++col)
                attendu << grille->model()->index(ligne, col).data().toString();
            const QString nomSelecteur = selecteur->nom();
            cliquer(nomSelecteur, "bouton_accepter");
            QStringList lu;
            for (const QString& z : c.zones) lu << texte(z);
            QVERIFY2(lu == attendu && !attendu.first().isEmpty(), qPrintable(c.bouton + ": " + lu.join('|')));
            QVERIFY(!forms::Feuilles::estChargee(nomSelecteur));
            if (!c.focus.isEmpty()) QVERIFY2(focalise(Famille) == c.focus, qPrintable(c.bouton));
        }
        QVERIFY(b.boites->vues.isEmpty());
        // A picked address runs no lookup: nothing was added to the list.
        QCOMPARE(b.compte("adresses"), 1);
    }

    // Parent 2's address takes Parent 1's, empty values included; no lookup runs.
    void adresse_du_parent_2() {
        Base b;
        b.familles(1);
        ouvrir();
        const QStringList p1 = {"Text3", "Text2", "Text1", "Text5", "Text4"};
        const QStringList p2 = {"Text8", "Text7", "Text6", "Text10", "Text9"};
        const QStringList valeurs = {"12 bis", "rue Neuve d'en Haut", "", "69001", "Lyon"};
        for (int i = 0; i < 5; ++i) {
            zone(p1[i])->setText(valeurs[i]);
            zone(p2[i])->setText("ancien");
        }
        const int adresses = b.compte("adresses");
        cliquer("Command16");
        for (int i = 0; i < 5; ++i) QCOMPARE(texte(p2[i]), valeurs[i]);
        QCOMPARE(b.compte("adresses"), adresses);
        QVERIFY(b.boites->vues.isEmpty());
    }

    // The consent button blinks between its capitalised caption and nothing.
    void clignotement() {
        Base b;
        ouvrir();
        auto* bouton = controle<QPushButton>(Famille, "Command19");
        QCOMPARE(bouton->text(), famille::FeuilleFamille::LegendeConsentement);
        QTRY_COMPARE_WITH_TIMEOUT(bouton->text(), famille::FeuilleFamille::LegendeConsentementClignotante, 1500);
        QTRY_COMPARE_WITH_TIMEOUT(bouton->text(), QString(), 1500);
    }

    // Every family instance adds an unknown value once, through the window's field; a known
    // value, a wildcard that matches, or an empty box adds nothing and says nothing.
    void listes_auto_extensibles_de_la_famille() {
        Base b;
        b.familles(1);
        ouvrir();
        int n = 0;
        for (const listes_auto::Instance& x : listes_auto::table()) {
            if (x.fenetre != Famille) continue;
            const int avant = b.compte(x.table());
            // The yes/no fields take three characters.
            const QString valeur = x.table() == "assertions" ? QString("p'%1").arg(++n) : QString("Val \"d'Or\" %1").arg(x.champ);
            zone(x.champ)->setText(valeur);
            for (int fois = 0; fois < 2; ++fois) {
                b.boites->effacer();
                entrer(x.champ);
                quitter_vers("Text13");
                QVERIFY2(b.compte(x.table()) == avant + 1, qPrintable(x.champ));
                QCOMPARE(b.boites->vues.size(), fois == 0 ? 1 : 0);
            }
            QCOMPARE(b.valeur("SELECT \"détails\" FROM \"" + x.table() + "\" ORDER BY rowid DESC LIMIT 1"), valeur);
            QCOMPARE(zone(x.champ)->text(), valeur);
            QCOMPARE(dat(x.liste)->RecordSource(), "SELECT * FROM " + x.table());
            QVERIFY(!feuille(x.liste).estAffichee());
            // A wildcard text that matches, and an empty box.
            for (const QString& t : {valeur.left(3) + "*", QString()}) {
                b.boites->effacer();
                zone(x.champ)->setText(t);
                entrer(x.champ);
                quitter_vers("Text13");
                QVERIFY(b.boites->vues.isEmpty());
                QCOMPARE(b.compte(x.table()), avant + 1);
            }
        }
        // The message, as the user reads it.
        b.boites->effacer();
        zone("Text7")->setText("Impasse des Lilas");
        entrer("Text7");
        quitter_vers("Text13");
        QCOMPARE(b.boites->derniere().texte, "L'adresse saisie n'existait pas dans la table 'adresses'." + Ajoute);
        QCOMPARE(b.boites->derniere().style, forms::styles::Information);
        QCOMPARE(b.boites->derniere().titre, forms::titre_application());
        // The same new address left in Text2 afterwards is added no second time.
        zone("Text2")->setText("Impasse des Lilas");
        entrer("Text2");
        quitter_vers("Text13");
        QCOMPARE(b.compte("adresses", "\"détails\" = 'Impasse des Lilas'"), 1);
        // Turning to another tab leaves the field too.
        zone("Text2")->setText("Chemin Neuf");
        entrer("Text2");
        onglets()->setCurrentIndex(2);
        traiter();
        QCOMPARE(b.compte("adresses", "\"détails\" = 'Chemin Neuf'"), 1);
    }

    // The pupil window's three instances run the same procedure.
    void listes_auto_extensibles_de_l_eleve() {
        Base b;
        for (const char* nom : {"adresse_résidence", "sexe", "langue_vivante_élève"}) {
            const listes_auto::Instance* x = listes_auto::chercher(Eleve, QString::fromUtf8(nom));
            QVERIFY(x);
            const int avant = b.compte(x->table());
            b.boites->effacer();
            listes_auto::completer(*x, "Klingon");
            listes_auto::completer(*x, "klingon");
            QCOMPARE(b.compte(x->table()), avant + 1);
            QCOMPARE(b.boites->vues.size(), 1);
            QVERIFY(b.boites->derniere().texte.endsWith("'" + (x->table() == "sexe" ? QString("sexes") : x->table()) +
                                                        "'." + Ajoute));
        }
    }

    // Deleting a family asks first, naming it, No by default; Yes deletes it and, as the question
    // says, its pupils stay without a family: the next family numbered, even with the same
    // reference, has no children. A delete refused (the family changed on another workstation)
    // leaves the pupils linked.
    void suppression() {
        Base b;
        b.familles(3, {"Martin", "Bernard", "Dubois"});
        b.sql("INSERT INTO \"élèves\" (matricule, \"référence_famille\") VALUES ('000001', '000003'), "
              "('000002', '000003'), ('000003', '000001')");
        const auto liens = [&] {
            return b.valeur("SELECT group_concat(matricule || ':' || \"référence_famille\", ' ') FROM \"élèves\"");
        };
        ouvrir();
        jeu().MoveNext();  // Dubois 000003
        b.sql("UPDATE familles SET \"mail_responsable_légal\" = 'd@ailleurs.fr' WHERE \"référence_famille\" = '000003'");
        b.boites->repondre(forms::Oui);
        cliquer("cmdSupprimer");
        QVERIFY(b.boites->derniere().texte.startsWith(erreur_generale(db::erreurs::ModifieAilleurs)));
        QCOMPARE(b.compte("familles"), 3);
        QCOMPARE(liens(), QString("000001:000003 000002:000003 000003:000001"));
        cliquer("cmdRafraîchir");
        jeu().MoveNext();
        QCOMPARE(texte("Text13"), QString("000003"));

        b.boites->effacer();
        zone("prénom_responsable_légal")->setText("Anne");
        cliquer("cmdSupprimer");
        QCOMPARE(b.boites->vues.size(), 1);
        verifier_question_suppression(b, "Anne Dubois", "000003");
        QCOMPARE(b.compte("familles"), 3);
        QCOMPARE(texte("prénom_responsable_légal"), QString("Anne"));
        b.boites->repondre(forms::Oui);
        cliquer("cmdSupprimer");
        QCOMPARE(b.compte("familles"), 2);
        QCOMPARE(texte("Text13"), QString("000001"));  // the new last of the order
        QCOMPARE(liens(), QString("000001: 000002: 000003:000001"));
        QCOMPARE(b.boites->vues.size(), 2);

        cliquer("cmdAjouter");
        QCOMPARE(texte("Text13"), QString("000003"));
        zone("nom_responsable_légal")->setText("Zola");
        cliquer("cmdMettreàjour");
        b.boites->repondre(forms::Non);
        cliquer("Command4");
        QVERIFY(b.boites->derniere().texte.startsWith("Aucune fiche 'enfant' n'existe dans la famille en cours..."));
    }

    // A reference that pupils still carry (their family deleted before a delete let go of it)
    // is never given to a new family: not to the menu's first family, nor by "&Ajouter", nor by
    // the offer made when another workstation has taken the reference proposed.
    void reference_portee_jamais_redonnee() {
        Base b;
        b.sql("INSERT INTO \"élèves\" (matricule, \"référence_famille\") VALUES ('000001', '000001'), "
              "('000002', '000003'), ('000003', '000005')");
        ouvrir();
        QCOMPARE(texte("Text13"), QString("000002"));
        zone("nom_responsable_légal")->setText("Martin");
        cliquer("cmdAjouter");
        QCOMPARE(texte("Text13"), QString("000004"));
        zone("nom_responsable_légal")->setText("Zola");
        b.sql("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\") VALUES ('000004', 'Autre')");
        b.boites->repondre(forms::Oui);
        cliquer("cmdMettreàjour");
        QVERIFY(b.boites->derniere().texte.endsWith("référence libre suivante, 000006 ?"));
        QCOMPARE(b.valeur("SELECT group_concat(\"référence_famille\" || \"nom_responsable_légal\", ' ') FROM familles "
                          "ORDER BY 1"),
                 QString("000002Martin 000004Autre 000006Zola"));
    }

    // "&Supprimer" in the family picker asks the family window's question about the family
    // highlighted, No by default: No deletes nothing; Yes deletes it, its pupils kept without a
    // family.
    void suppression_dans_le_choix_de_famille() {
        Base b;
        b.familles(3, {"Martin", "Bernard", "Dubois"});
        b.sql("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"référence_famille\") VALUES "
              "('000001', 'Léa', ''), ('000002', 'Tom', '000002')");
        menu("menuenfantsindex1");
        b.boites->repondre(forms::Oui);
        cliquer(Eleve, "Command4");
        QVERIFY(feuille(ChoixFamille).estAffichee());
        auto* grille = controle<forms::GrilleDonnees>(ChoixFamille, "grdDataGrid");
        grille->setCurrentIndex(grille->model()->index(1, 0));
        traiter();
        b.boites->effacer();
        cliquer(ChoixFamille, "cmdSupprimer");
        QCOMPARE(b.boites->vues.size(), 1);
        verifier_question_suppression(b, "P2 Bernard", "000002");
        QCOMPARE(b.compte("familles"), 3);
        b.boites->repondre(forms::Oui);
        cliquer(ChoixFamille, "cmdSupprimer");
        QCOMPARE(b.compte("familles"), 2);
        QCOMPARE(b.compte("familles", "\"référence_famille\" = '000002'"), 0);
        QCOMPARE(b.valeur("SELECT \"référence_famille\" FROM \"élèves\" WHERE matricule = '000002'"), QString(""));
        QCOMPARE(b.compte("élèves"), 2);
    }

    // Two workstations numbering at once: the second is told and offered the next free
    // reference; refusing keeps everything typed on screen.
    void reference_prise_par_un_autre_poste() {
        for (int reponse : {forms::Non, forms::Oui}) {
            Base b;
            b.familles(41);
            ouvrir();
            cliquer("cmdAjouter");
            QCOMPARE(texte("Text13"), QString("000042"));
            zone("nom_responsable_légal")->setText("Lefèvre");
            controle<QPlainTextEdit>(Famille, "observations_assurance")->setPlainText("ligne 1\nligne 2");
            b.sql("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\") VALUES ('000042', 'Autre')");
            b.boites->repondre(reponse);
            cliquer("cmdMettreàjour");
            QCOMPARE(b.boites->vues.size(), 1);
            QCOMPARE(b.boites->derniere().texte,
                     QString("La référence famille 000042 est déjà celle d'une autre famille : cette fiche n'a pas été "
                             "enregistrée.\n\nVoulez-vous l'enregistrer sous la référence libre suivante, 000043 ?"));
            QCOMPARE(b.boites->derniere().style, forms::styles::OuiNon + forms::styles::Question);
            QCOMPARE(texte("nom_responsable_légal"), QString("Lefèvre"));
            if (reponse == forms::Non) {
                QCOMPARE(b.compte("familles", "\"nom_responsable_légal\" = 'Lefèvre'"), 0);
                QCOMPARE(texte("Text13"), QString("000042"));
                QCOMPARE(jeu().EditMode(), 2);
            } else {
                QCOMPARE(b.valeur("SELECT \"observations_assurance\" FROM familles WHERE \"référence_famille\" = '000043'"),
                         QString("ligne 1\nligne 2"));
                QCOMPARE(texte("Text13"), QString("000043"));
            }
        }
        // Saved by a move or by closing the window: offered before the write.
        for (bool fermer : {false, true}) {
            Base b;
            b.familles(41);
            ouvrir();
            cliquer("cmdAjouter");
            zone("nom_responsable_légal")->setText("Lefèvre");
            b.sql("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\") VALUES ('000042', 'Autre')");
            b.boites->repondre(forms::Oui);
            if (fermer) cliquer("cmdFermer");
            else dat()->findChild<QToolButton*>("premier")->click();
            traiter();
            QCOMPARE(b.boites->vues.size(), 1);
            QVERIFY(b.boites->derniere().texte.endsWith("référence libre suivante, 000043 ?"));
            QCOMPARE(b.valeur("SELECT \"nom_responsable_légal\" FROM familles WHERE \"référence_famille\" = '000043'"),
                     QString("Lefèvre"));
            QCOMPARE(forms::Feuilles::estChargee(Famille), !fermer);
        }
        // An existing family given another's reference: told, kept on screen.
        Base b;
        b.familles(2);
        ouvrir();
        zone("Text13")->setText("000002");
        cliquer("cmdMettreàjour");
        QVERIFY(b.boites->derniere().texte.startsWith("La référence famille 000002 est déjà celle d'une autre famille"));
        QCOMPARE(texte("Text13"), QString("000002"));
        QCOMPARE(b.compte("familles", "\"référence_famille\" = '000002'"), 1);
    }

    // A text is shown and compared as stored: a name beginning with U+FEFF (typed, or saved so
    // before), or holding bytes that are no UTF-8 (written by another program), never locks
    // its record as "changed on another workstation"; each saves and deletes again, the mark
    // kept on screen as on disk and the foreign bytes left as they were; a several-line box
    // writes back what it shows, its non-breaking spaces and line separators included.
    void texte_compare_tel_que_stocke() {
        Base b;
        b.familles(3);
        const QString marque = QString(QChar(0xFEFF)) + "Martin";
        b.sql("UPDATE familles SET \"nom_responsable_légal\" = ? WHERE \"référence_famille\" = '000002'", {marque});
        b.sql("UPDATE familles SET \"nom_responsable_légal\" = CAST(X'4475FF706F6E74' AS TEXT) "
              "WHERE \"référence_famille\" = '000003'");
        ouvrir();
        jeu().FindFirst("référence_famille = \"000001\"");
        zone("nom_responsable_légal")->setText(QString(QChar(0xFEFF)) + "Bernard");
        cliquer("cmdMettreàjour");
        for (const QString reference : {"000001", "000002", "000003"}) {
            jeu().FindFirst("référence_famille = \"" + reference + '"');
            zone("prénom_responsable_légal")->setText("Anne");
            cliquer("cmdMettreàjour");
            QVERIFY2(b.boites->vues.isEmpty(), qPrintable(reference + ": " + b.boites->derniere().texte));
            QCOMPARE(b.valeur("SELECT \"prénom_responsable_légal\" FROM familles WHERE \"référence_famille\" = ?", {reference}),
                     QString("Anne"));
        }
        QCOMPARE(b.valeur("SELECT hex(\"nom_responsable_légal\") FROM familles WHERE \"référence_famille\" = '000003'"),
                 QString("4475FF706F6E74"));
        jeu().FindFirst("référence_famille = \"000001\"");
        QCOMPARE(texte("nom_responsable_légal"), QString(QChar(0xFEFF)) + "Bernard");
        QCOMPARE(b.valeur("SELECT \"nom_responsable_légal\" FROM familles WHERE \"référence_famille\" = '000001'"),
                 QString(QChar(0xFEFF)) + "Bernard");
        // A note keeps its non-breaking space and line separator when a line is added to it.
        const QString note = QString("M.") + QChar(0x00A0) + "Dupont" + QChar(0x2028) + "tél.";
        b.sql("UPDATE familles SET \"observations_assurance\" = ? WHERE \"référence_famille\" = '000002'", {note});
        jeu().FindFirst("référence_famille = \"000002\"");
        QCOMPARE(texte("nom_responsable_légal"), marque);
        auto* observations = controle<QPlainTextEdit>(Famille, "observations_assurance");
        observations->moveCursor(QTextCursor::End);
        QTest::keyClick(observations, Qt::Key_Return);
        QTest::keyClicks(observations, "MAIF");
        cliquer("cmdMettreàjour");
        QCOMPARE(b.valeur("SELECT \"observations_assurance\" FROM familles WHERE \"référence_famille\" = '000002'"),
                 note + "\nMAIF");
        b.boites->repondre(forms::Oui);
        cliquer("cmdSupprimer");
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.compte("familles"), 2);
    }

    // Coming back to a family that another workstation changed meanwhile shows its new values
    // without "&Rafraîchir", and an edit made then is saved.
    void fiche_relue_en_y_revenant() {
        Base b;
        b.familles(2, {"Martin", "Bernard"});
        ouvrir();
        QCOMPARE(texte("nom_responsable_légal"), QString("Bernard"));
        dat()->findChild<QToolButton*>("suivant")->click();
        b.sql("UPDATE familles SET \"nom_responsable_légal\" = 'Bernardin' WHERE \"référence_famille\" = '000002'");
        dat()->findChild<QToolButton*>("precedent")->click();
        traiter();
        QCOMPARE(texte("nom_responsable_légal"), QString("Bernardin"));
        zone("prénom_responsable_légal")->setText("Luc");
        cliquer("cmdMettreàjour");
        QVERIFY(b.boites->vues.isEmpty());
        QCOMPARE(b.valeur("SELECT \"nom_responsable_légal\" || ' ' || \"prénom_responsable_légal\" FROM familles "
                          "WHERE \"référence_famille\" = '000002'"),
                 QString("Bernardin Luc"));
    }

    // A file locked by another workstation: "&Valider", a move and closing each tell the
    // refusal with what was typed kept; closing then offers to go back or to abandon.
    void fichier_verrouille() {
        Base b;
        b.familles(2);
        ouvrir();
        zone("prénom_responsable_légal")->setText("Hélène");
        sqlite3* autre = nullptr;
        QCOMPARE(sqlite3_open(b.chemin.toUtf8().constData(), &autre), SQLITE_OK);
        QCOMPARE(sqlite3_exec(autre, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        db::BaseDonnees::definirDelaiVerrou(100);
        cliquer("cmdMettreàjour");
        // "&Valider" refused: the same box as the pupil window's.
        QVERIFY(b.boites->derniere().texte.startsWith(QString("La fiche n'a pas été enregistrée (erreur %1) :\n\n")
                                                          .arg(db::erreurs::Verrouille)));
        QCOMPARE(b.boites->derniere().style, forms::styles::Avertissement);
        b.boites->repondre(forms::Oui);
        dat()->findChild<QToolButton*>("suivant")->click();
        traiter();
        QCOMPARE(b.boites->vues.size(), 2);
        QVERIFY(b.boites->derniere().texte.startsWith("La fiche en cours n'a pas pu être enregistrée :\n\n" +
                                                      db::texte_erreur(db::erreurs::Verrouille)));
        QCOMPARE(b.boites->derniere().style, forms::styles::OuiNon + forms::styles::Avertissement);
        QCOMPARE(texte("Text13"), QString("000001"));
        b.boites->repondre(forms::Oui);
        cliquer("cmdFermer");
        QVERIFY(b.boites->derniere().texte.contains("Voulez-vous revenir à la fiche pour la corriger ?"));
        QVERIFY(forms::Feuilles::estChargee(Famille));
        QCOMPARE(texte("prénom_responsable_légal"), QString("Hélène"));
        sqlite3_exec(autre, "ROLLBACK", nullptr, nullptr, nullptr);
        db::BaseDonnees::definirDelaiVerrou(5000);
        cliquer("cmdMettreàjour");
        QCOMPARE(b.compte("familles", "\"prénom_responsable_légal\" = 'Hélène'"), 1);

        // Abandoned on closing: nothing written.
        zone("prénom_responsable_légal")->setText("Inès");
        QCOMPARE(sqlite3_exec(autre, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        db::BaseDonnees::definirDelaiVerrou(100);
        b.boites->repondre(forms::Non);
        cliquer("cmdFermer");
        sqlite3_exec(autre, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(autre);
        db::BaseDonnees::definirDelaiVerrou(5000);
        QVERIFY(!forms::Feuilles::estChargee(Famille));
        QCOMPARE(b.compte("familles", "\"prénom_responsable_légal\" = 'Inès'"), 0);
    }

    // Typing in the family picker moves to the family whose reference or name begins with the
    // letters typed, and changes no row; Enter then accepts it. A list opened for editing from
    // the menu still takes what is typed into its cells.
    void choix_famille_par_la_frappe() {
        Base b;
        b.familles(3, {"Martin", "Bernard", "Dubois"});
        b.sql("INSERT INTO \"élèves\" (matricule, \"nom_élève\") VALUES ('000001', 'Léa')");
        menu("menuenfantsindex1");
        b.boites->repondre(forms::Oui);
        cliquer(Eleve, "Command4");
        auto* grille = controle<forms::GrilleDonnees>(ChoixFamille, "grdDataGrid");
        QVERIFY(feuille(ChoixFamille).estAffichee());
        grille->setFocus();
        QTest::keyClicks(grille, "Du");
        traiter();
        QCOMPARE(jeu(ChoixFamille).texte("nom_responsable_légal"), QString("Dubois"));
        QTest::keyClicks(grille, "x");  // "Dux": nobody, the list stays on Dubois
        traiter();
        QCOMPARE(jeu(ChoixFamille).texte("nom_responsable_légal"), QString("Dubois"));
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(grille, "00000");
        traiter();
        QCOMPARE(jeu(ChoixFamille).texte("référence_famille"), QString("000001"));
        QTest::keyClicks(grille, "2");
        traiter();
        QCOMPARE(jeu(ChoixFamille).texte("nom_responsable_légal"), QString("Bernard"));
        QTest::keyClick(grille, Qt::Key_Return);
        traiter();
        QCOMPARE(controle<QLineEdit>(Eleve, "référence_famille")->text(), QString("000002"));
        QCOMPARE(b.valeur("SELECT group_concat(\"référence_famille\" || \"nom_responsable_légal\", ',') FROM familles"),
                 QString("000001Martin,000002Bernard,000003Dubois"));
        QVERIFY(b.boites->vues.size() == 1);

        // The same kind of list opened from the menu to edit it.
        b.sql("INSERT INTO villes (\"détails\") VALUES ('Lyon')");
        menu("menuparamètresindex16");
        auto* villes = controle<forms::GrilleDonnees>("feuille_villes", "grdDataGrid");
        villes->setFocus();
        villes->setCurrentIndex(villes->model()->index(0, 0));
        QTest::keyClick(villes, Qt::Key_C);
        auto* editeur = villes->findChild<QLineEdit*>();
        QVERIFY(editeur);
        QTest::keyClicks(editeur, "aen");  // into the postcode, the first column
        QTest::keyClick(editeur, Qt::Key_Return);
        traiter();
        QCOMPARE(b.valeur("SELECT code_postal || \"détails\" FROM villes"), QString("caenLyon"));
    }

    // The picker: accepting a row or its relay fills the pupil's reference; another caller's
    // code copies nothing and withdraws "Accepter".
    void choix_famille() {
        Base b;
        b.familles(14);
        enum Geste { Accepter, Relais, AutreCode };
        for (Geste g : {Accepter, Relais, AutreCode}) {
            feuille(Eleve).afficher();
            controle<QLineEdit>(Eleve, "référence_famille")->clear();
            Module1::ouvrir_table_familles();
            Module1::ouvrir_table_choix_famille();
            selecteurs::appeler(ChoixFamille, 1);
            QVERIFY(!controle<QPushButton>(ChoixFamille, "bouton_accepter")->isHidden());
            auto* grille = controle<forms::GrilleDonnees>(ChoixFamille, "grdDataGrid");
            QCOMPARE(grille->model()->rowCount() >= 14, true);
            grille->setCurrentIndex(grille->model()->index(11, 2));
            if (g == AutreCode) Module1::code_appelant = 4;
            if (g == Relais) emit grille->relais();
            else cliquer(ChoixFamille, "bouton_accepter");
            traiter();
            if (g == AutreCode) {
                QVERIFY(forms::Feuilles::estChargee(ChoixFamille));
                QVERIFY(controle<QPushButton>(ChoixFamille, "bouton_accepter")->isHidden());
                QCOMPARE(controle<QLineEdit>(Eleve, "référence_famille")->text(), QString());
                forms::Feuilles::decharger(ChoixFamille);
            } else {
                QCOMPARE(controle<QLineEdit>(Eleve, "référence_famille")->text(), QString("000012"));
                QVERIFY(!forms::Feuilles::estChargee(ChoixFamille));
                QCOMPARE(focalise(Eleve), QString("référence_famille"));
            }
        }
        QVERIFY(b.boites->vues.isEmpty());
        // The grid's columns, in the engine's order.
        auto* grille = controle<forms::GrilleDonnees>(ChoixFamille, "grdDataGrid");
        QStringList titres;
        for (int c = 0; c < 4; ++c) titres << grille->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titres, QStringList({"référence", "nom", "prénom", "adresse"}));
        QCOMPARE(feuille(ChoixFamille).Caption(), QString("Table des responsables légaux"));
    }

    // "Enfants": the pupil window on the family's pupils; for a family without any, a new pupil
    // linked to it when the user says Yes; with no reference, nothing at all.
    void enfants() {
        Base b;
        b.familles(3, {"Martin", "Bernard", "Dubois"});
        b.sql("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"référence_famille\") VALUES "
              "('000001', 'Léa', '000001'), ('000002', 'Tom', '000002'), ('000003', 'Zoé', '000001')");
        ouvrir();
        b.boites->saisir("000001");
        cliquer("Command1");
        cliquer("Command4");
        QVERIFY(b.boites->vues.size() == 1);
        QVERIFY(feuille(Eleve).estAffichee());
        QCOMPARE(jeu(Eleve).RecordCount(), 2);
        QStringList matricules;
        for (int i = 0; i < 2; ++i, jeu(Eleve).MoveNext()) matricules << jeu(Eleve).texte("matricule");
        QCOMPARE(matricules, QStringList({"000001", "000003"}));

        for (int reponse : {forms::Non, forms::Oui}) {
            forms::Feuilles::decharger(Eleve);
            traiter();
            b.boites->effacer();
            b.boites->saisir("000003");
            cliquer("Command1");
            b.boites->repondre(reponse);
            cliquer("Command4");
            QCOMPARE(b.boites->vues.size(), 2);
            QCOMPARE(b.boites->derniere().texte,
                     QString("Aucune fiche 'enfant' n'existe dans la famille en cours...\n\nVoulez-vous en créer une?"));
            QCOMPARE(b.boites->derniere().style, forms::styles::OuiNon + forms::styles::Question);
            QCOMPARE(feuille(Eleve).estAffichee(), reponse == forms::Oui);
            if (reponse == forms::Oui) {
                QCOMPARE(jeu(Eleve).EditMode(), 2);
                QCOMPARE(controle<QLineEdit>(Eleve, "référence_famille")->text(), QString("000003"));
                QCOMPARE(controle<QLineEdit>(Eleve, "matricule")->text(), QString());
            }
        }
        forms::Feuilles::decharger(Eleve);
        traiter();
        b.boites->effacer();
        zone("Text13")->clear();
        cliquer("Command4");
        QVERIFY(b.boites->vues.isEmpty());
        QVERIFY(!forms::Feuilles::estChargee(Eleve));
    }

    // A stored family reference is a key, never a pattern: no family holds "00000?" (the
    // pupil's "Parents" finds none, not 000001), and the family "00000*" has no children (not
    // every pupil whose reference those characters would match).
    void reference_prise_a_la_lettre() {
        Base b;
        b.familles(1, {"Martin"});
        b.sql("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\") VALUES ('00000*', 'Étoile')");
        b.sql("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"référence_famille\") VALUES "
              "('000001', 'Léa', '00000?'), ('000002', 'Tom', '000001')");
        menu("menuenfantsindex1");
        QCOMPARE(controle<QLineEdit>(Eleve, "référence_famille")->text(), QString("00000?"));
        cliquer(Eleve, "Command4");
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte, QString("La fiche de la famille n'existe pas... Créez-la!"));
        QVERIFY(!feuille(Famille).estAffichee());

        ouvrir();
        jeu().FindFirst("référence_famille = \"00000*\"");
        QCOMPARE(texte("Text13"), QString("00000*"));
        b.boites->effacer();
        b.boites->repondre(forms::Non);
        cliquer("Command4");
        QCOMPARE(b.boites->vues.size(), 1);
        QVERIFY(b.boites->derniere().texte.startsWith("Aucune fiche 'enfant' n'existe dans la famille en cours..."));
    }

    // Every path that leaves the record shown in the family or pupil window, with an edit typed
    // and not validated: the edit is saved; with the save refused and the user going back to
    // the record, the window stays on it with the text, and the path stops there.
    void chaque_chemin_qui_quitte_une_fiche_la_garde_data() {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<bool>("eleve");  // the edit is typed into the pupil window
        QTest::newRow("Parents") << "Parents" << false;
        QTest::newRow("Command16") << "Command16" << false;
        QTest::newRow("menu Familles") << "menuenfantsindex2" << false;
        QTest::newRow("Rafraîchir famille") << "cmdRafraîchir" << false;
        QTest::newRow("tri famille") << "Combo1" << false;
        QTest::newRow("Enfants") << "Enfants" << true;
        QTest::newRow("menu Elèves") << "menuenfantsindex1" << true;
        QTest::newRow("Rafraîchir élève") << "cmdRafraîchir" << true;
        QTest::newRow("tri élève") << "Combo1" << true;
    }
    void chaque_chemin_qui_quitte_une_fiche_la_garde() {
        QFETCH(QString, chemin);
        QFETCH(bool, eleve);
        for (bool refuse : {false, true}) {
            Base b;
            b.familles(3, {"Martin", "Bernard", "Dubois"});
            b.sql("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"référence_famille\") VALUES "
                  "('000001', 'Léa', '000003'), ('000002', 'Tom', '000003')");
            // The pupil window on Léa (family 000003, Dubois), the family window on Bernard or,
            // for the edits typed into the pupil window, on Dubois.
            menu("menuenfantsindex1");
            ouvrir();
            QCOMPARE(texte("nom_responsable_légal"), QString("Bernard"));
            if (eleve) {  // the family window on Léa's family
                b.boites->saisir("000003");
                cliquer("Command1");
            }
            const QString fenetre = eleve ? Eleve : Famille;
            QLineEdit* champ = eleve ? controle<QLineEdit>(Eleve, "lieu_naissance")
                                     : zone("employeur_responsable_légal");
            champ->setText("Saisi");
            if (refuse) {
                // A birth date that is none: the save is refused, and the user goes back.
                if (eleve) controle<QLineEdit>(Eleve, "date_naissance")->setText("25/13/2015");
                else b.sql("CREATE TRIGGER refus BEFORE UPDATE ON familles BEGIN SELECT RAISE(ABORT, 'refusé'); END");
                b.boites->repondre(forms::Oui);
            }
            b.boites->effacer();
            const QString avant = texte("Text13");
            const auto suivre = [&] {
                if (chemin == "Parents") cliquer(Eleve, "Command4");
                else if (chemin == "Command16") cliquer(Eleve, "Command16");
                else if (chemin == "Enfants") cliquer(Famille, "Command4");
                else if (chemin.startsWith("menu")) menu(chemin);
                else if (chemin == "Combo1") {
                    controle<QComboBox>(fenetre, "Combo1")->setCurrentIndex(1);
                    emit controle<QComboBox>(fenetre, "Combo1")->activated(1);
                    traiter();
                } else cliquer(fenetre, chemin);
            };
            suivre();
            const QString colonne = eleve ? "\"lieu_naissance_élève\" FROM \"élèves\" WHERE matricule = '000001'"
                                          : "\"employeur_responsable_légal\" FROM familles WHERE \"référence_famille\" = '000002'";
            if (!refuse) {
                QCOMPARE(b.valeur("SELECT " + colonne), QString("Saisi"));
                QVERIFY2(b.boites->vues.isEmpty(), qPrintable(b.boites->derniere().texte));
                continue;
            }
            QCOMPARE(b.boites->vues.size(), 1);
            QVERIFY(b.boites->derniere().texte.startsWith("La fiche en cours n'a pas pu être enregistrée :"));
            QCOMPARE(b.boites->derniere().style, forms::styles::OuiNon + forms::styles::Avertissement);
            QCOMPARE(b.valeur("SELECT " + colonne), QString());
            QCOMPARE(champ->text(), QString("Saisi"));
            QCOMPARE(texte("Text13"), avant);
            QCOMPARE(controle<QComboBox>(fenetre, "Combo1")->currentIndex(), 0);
            if (eleve) QCOMPARE(controle<QLineEdit>(Eleve, "nom_enfant")->text(), QString("Léa"));
            else QCOMPARE(texte("nom_responsable_légal"), QString("Bernard"));
            // Given up: the path goes on, the file keeps what it had.
            b.boites->repondre(forms::Non);
            suivre();
            QCOMPARE(b.valeur("SELECT " + colonne), QString());
            QVERIFY(champ->text() != "Saisi");
        }
    }

    // A new family, or the new pupil "Enfants" starts, that the user has not typed into is not
    // saved; typed into, the pupil gets the next free matricule.
    void nouvelles_fiches_non_saisies() {
        Base b;
        ouvrir();
        QCOMPARE(texte("Text13"), QString("000001"));
        cliquer("cmdFermer");
        QCOMPARE(b.compte("familles"), 0);

        b.familles(2);
        ouvrir();
        cliquer("cmdAjouter");
        QCOMPARE(texte("Text13"), QString("000003"));
        cliquer("cmdFermer");
        QCOMPARE(b.compte("familles"), 2);

        b.sql("INSERT INTO \"élèves\" (matricule, \"nom_élève\") VALUES ('000004', 'Seul')");
        ouvrir();
        b.boites->repondre(forms::Oui);
        cliquer("Command4");
        QCOMPARE(jeu(Eleve).EditMode(), 2);
        cliquer(Eleve, "cmdFermer");
        QCOMPARE(b.compte("élèves"), 1);
        b.boites->repondre(forms::Oui);
        cliquer("Command4");
        controle<QLineEdit>(Eleve, "nom_enfant")->setText("Nouveau");
        cliquer(Eleve, "cmdFermer");
        QCOMPARE(b.valeur("SELECT matricule || '/' || \"référence_famille\" FROM \"élèves\" WHERE \"nom_élève\" = 'Nouveau'"),
                 QString("000005/000001"));
    }

    // Each action reads and sorts the records once, and a window already in the order asked
    // is not sorted again: opening from the menu (the window loading, its binder and its sort
    // box), "&Ajouter", the box chosen on the order in use; the same for the pupils.
    void une_lecture_par_action() {
        Base b;
        b.familles(5, {"Martin", "Bernard", "Dubois"});
        LecturesComptees compte;
        ouvrir();
        QCOMPARE(compte.depuis("familles"), 1);
        QCOMPARE(texte("nom_responsable_légal"), QString("Bernard"));
        ouvrir();
        QCOMPARE(compte.depuis("familles"), 1);
        cliquer("cmdAjouter");
        QCOMPARE(texte("Text13"), QString("000006"));
        QCOMPARE(compte.depuis("familles"), 0);
        jeu().CancelUpdate();
        auto* tri = controle<QComboBox>(Famille, "Combo1");
        choisir_tri(2);
        QCOMPARE(compte.depuis("familles"), 1);
        QCOMPARE(texte("Text13"), QString("000001"));
        cliquer("cmdAjouter");  // back to the alphabetical order first
        QCOMPARE(compte.depuis("familles"), 1);
        QCOMPARE(tri->currentIndex(), 0);
        jeu().CancelUpdate();

        for (int i = 1; i <= 3; ++i)
            b.sql("INSERT INTO \"élèves\" (matricule, \"nom_élève\") VALUES (?, ?)",
                  {QStringLiteral("00000%1").arg(i), QStringList{"Rey", "Abel", "Moulin"}[i - 1]});
        menu(QStringLiteral("menuenfantsindex1"));
        QCOMPARE(compte.depuis("élèves"), 1);
        QCOMPARE(controle<QLineEdit>(Eleve, "matricule")->text(), QString("000001"));
        auto* triEleves = controle<QComboBox>(Eleve, "Combo1");
        triEleves->setCurrentIndex(0);
        emit triEleves->activated(0);
        QCOMPARE(compte.depuis("élèves"), 1);
        QCOMPARE(controle<QLineEdit>(Eleve, "nom_enfant")->text(), QString("Abel"));
        b.boites->repondre(forms::Non);
        cliquer(Eleve, "cmdAjouter");
        QCOMPARE(controle<QLineEdit>(Eleve, "matricule")->text(), QString("000004"));
        QCOMPARE(compte.depuis("élèves"), 0);
    }

    // The family sheet of a demonstration family, written to a file and read back, with the
    // edit the window shows.
    void fiche_famille() {
        Base b(true);
        b.sql("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\") VALUES ('1', 'Intrus')");
        ouvrir();
        b.boites->saisir("000001");
        cliquer("Command1");
        zone("employeur_responsable_légal")->setText("Atelier Écran");  // shown, not yet saved
        cliquer("Command3");
        QVERIFY2(b.boites->vues.size() == 1, qPrintable(b.boites->derniere().texte));
        auto& cr = report::CrystalReport1();
        QCOMPARE(cr.ReportFileName(), Module1::chemin_programme + "fiche_famille.rpt");
        QCOMPARE(cr.SelectionFormula(), QString("{familles.référence_famille} = \"000001\""));
        QCOMPARE(cr.Destination(), 0);
        cr.setDestination(report::destination::Fichier);
        cr.setPrintFileType(report::type_fichier::TexteEnrichi);
        const QString fichier = b.dossier.filePath("famille.RTF");
        cr.setPrintFileName(fichier);
        QCOMPARE(cr.PrintReport(), 0);
        cr.setDestination(report::destination::Fenetre);
        QProcess p;
        p.start("unrtf", {"--text", fichier});
        QVERIFY(p.waitForFinished(60000));
        QStringDecoder cp1252("windows-1252");
        const QString lu = cp1252(p.readAllStandardOutput());
        for (const char* attendu : {"François", "Éric", "Duval", "Mélanie", "Rue des Jardins", "Charly", "69390",
                                       "MMA", "Docteur Anne Lefèvre", "Clinique du Val d'Ouest", "Écully", "Atelier Écran"})
            QVERIFY2(lu.contains(QString::fromUtf8(attendu)), attendu);
        QVERIFY(!lu.contains("Moreau"));  // family 000002 is not on the sheet
        QVERIFY(!lu.contains("Intrus"));  // nor the family "1", its reference another key
    }
};

QTEST_MAIN(TestFamille)
#include "test_famille.moc"
