// The data windows, the reference lists, the pickers and the settings windows, driven
// through their controls as the user drives them.
#include "banc.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/twips.h"
#include "platform/forms/fenetre_donnees.h"
#include "platform/forms/selecteurs.h"
#include "platform/forms/descriptions_fenetres.h"
#include "partage/liants.h"
#include <QHeaderView>
#include <QToolButton>
#include <QApplication>
#include <QClipboard>
#include <QStatusBar>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include "platform/forms/image_liee.h"
#include <QAbstractItemModel>
#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace banc;

namespace {

const QString Villes = "feuille_villes", Genres = "feuille_genres", Adresses = "feuille_adresses";
const QString Ecole = "feuille_école", Inspection = "feuille_inspection", Equipe = "feuille_équipe";
const QString MenuEcole = "menuparamètresindex2", MenuInspection = "menuparamètresindex1",
              MenuEquipe = "menuparamètresindex3", MenuVilles = "menuparamètresindex16";

void remplir_listes(const Base& b) {
    b.sql("INSERT INTO villes (code_postal, \"détails\") VALUES ('69001', 'Lyon'), ('44000', 'Nantes'), "
          "('14000', 'Caen')");
    b.sql("INSERT INTO adresses (\"détails\") VALUES ('rue des Lilas'), ('place du Marché')");
}

QString erreur_generale(int numero) {
    return QStringLiteral("Le logiciel a rencontré l'erreur : %1\n\n%2").arg(numero).arg(db::texte_erreur(numero));
}

}  // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    // No confirmation and no message; the next row, or the new last one, becomes current.
    void supprimer() {
        struct Cas { int position; QStringList restent; QString courante; };
        for (const Cas& c : {Cas{2, {"Lyon", "Nantes"}, "Nantes"}, Cas{1, {"Lyon", "Caen"}, "Caen"}}) {
            Base b;
            remplir_listes(b);
            menu(MenuVilles);
            jeu(Villes).MoveFirst();
            for (int i = 0; i < c.position; ++i) jeu(Villes).MoveNext();
            cliquer(Villes, "cmdSupprimer");
            QStringList restent;
            for (const auto& l : b.sql("SELECT \"détails\" FROM villes ORDER BY rowid").lignes) restent << l[0].toString();
            QCOMPARE(restent, c.restent);
            QCOMPARE(jeu(Villes).valeur("détails").toString(), c.courante);
            QVERIFY(b.boites->vues.isEmpty());
        }
    }

    // The only row goes, then the move to the last record fails; on the new-row line nothing goes.
    void supprimer_sans_fiche_courante() {
        Base b;
        b.sql("INSERT INTO villes (\"détails\") VALUES ('Lyon')");
        menu(MenuVilles);
        forms::definir_pointeur_souris(forms::Sablier);
        cliquer(Villes, "cmdSupprimer");
        QCOMPARE(b.compte("villes"), 0);
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte, erreur_generale(db::erreurs::AucunEnregistrement));
        QCOMPARE(b.boites->derniere().style, forms::styles::Avertissement);
        QCOMPARE(forms::pointeur_souris(), forms::PointeurDefaut);

        b.sql("INSERT INTO villes (\"détails\") VALUES ('Brest'), ('Caen')");
        cliquer(Villes, "cmdRafraîchir");
        cliquer(Villes, "cmdAjouter");
        QVERIFY(controle<forms::GrilleDonnees>(Villes, "grdDataGrid")->surLigneNouvelle());
        cliquer(Villes, "cmdSupprimer");
        QCOMPARE(b.compte("villes"), 2);
        QCOMPARE(b.boites->vues.size(), 2);
        QCOMPARE(b.boites->derniere().texte, erreur_generale(db::erreurs::AucunEnregistrement));
    }

    // A visible data control numbers the records; a pending new record has no number.
    void legende_de_position() {
        Base b;
        b.sql("INSERT INTO \"équipe\" (nom_enseignant) VALUES ('Durand'), ('Martin')");
        for (const auto& [modele, prefixe] : {std::pair{QString("feuille_documents"), QString("Fiche: ")},
                                              std::pair{Equipe, QString()}}) {
            forms::FenetreDonnees f("feuille_essai", forms::variation_de(modele));
            auto* nom = new QLineEdit(&f);
            f.datPrimaryRS()->lier(nom, "nom_enseignant");
            f.datPrimaryRS()->setDatabaseName(b.chemin);
            f.datPrimaryRS()->setRecordSource("SELECT * FROM équipe");
            f.datPrimaryRS()->Refresh();
            QVERIFY(f.datPrimaryRS()->isVisibleTo(&f));
            QCOMPARE(f.datPrimaryRS()->Caption(), prefixe + "1");
            f.datPrimaryRS()->Recordset().MoveNext();
            QCOMPARE(f.datPrimaryRS()->Caption(), prefixe + "2");
            f.cmdAjouter_Click();
            QCOMPARE(f.datPrimaryRS()->Caption(), prefixe + "0");
            QCOMPARE(nom->text(), QString());
            f.datPrimaryRS()->Recordset().CancelUpdate();
            f.datPrimaryRS()->fermer();
        }
    }

    // Lists show the engine's text after "Data error event hit err:", OK only; the school nothing.
    void erreur_de_donnees() {
        Base b;
        Module1::ouvrir_table_villes();
        Module1::ouvrir_table_ecole();
        int reponse = 1;
        emit dat(Villes)->Error(db::erreurs::Doublon, &reponse);
        QCOMPARE(reponse, 0);
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte, "Data error event hit err:" + db::texte_erreur(db::erreurs::Doublon));
        QCOMPARE(b.boites->derniere().style, forms::styles::OKSeul);
        reponse = 1;
        emit dat(Ecole)->Error(db::erreurs::Doublon, &reponse);
        QCOMPARE(reponse, 0);
        QCOMPARE(b.boites->vues.size(), 1);
    }

    // The hourglass from the start of every operation, a close included, until a move or "&Fermer".
    void pointeur() {
        Base b;
        remplir_listes(b);
        menu(MenuVilles);
        int enregistrer = 1;
        emit dat(Villes)->Validate(db::action::Close, &enregistrer);
        QCOMPARE(forms::pointeur_souris(), forms::Sablier);
        QCOMPARE(enregistrer, 1);
        jeu(Villes).MoveNext();
        QCOMPARE(forms::pointeur_souris(), forms::PointeurDefaut);
        emit dat(Villes)->Validate(db::action::MoveNext, &enregistrer);
        cliquer(Villes, "cmdFermer");
        QCOMPARE(forms::pointeur_souris(), forms::PointeurDefaut);
        QVERIFY(!chargee(Villes));
    }

    void les_treize_listes_du_menu() {
        struct Attendu { QString menu, fenetre, table, legende; QStringList colonnes; };
        const QVector<Attendu> attendus = {
            {"menuparamètresindex6", Adresses, "adresses", "Tables des adresses (Rues avoisinantes)", {"détails"}},
            {"menuparamètresindex7", "feuille_assurances", "assurances", "Tables des assurances", {"détails"}},
            {"menuparamètresindex23", "feuille_assertions", "assertions", "Table des assertions", {"détails"}},
            {"menuparamètresindex8", "feuille_csp", "csp", "Table des CSP (Catégories Socio-Professionnelles)",
             {"code", "détails"}},
            {"menuparamètresindex19", Genres, "genres", "Table des genres", {"détails"}},
            {"menuparamètresindex9", "feuille_hôpitaux", "hôpitaux", "Table des hôpitaux",
             {"nom", "téléphone", "adresse", "ville"}},
            {"menuparamètresindex13", "feuille_langues_vivantes", "langues_vivantes", "Table des langues vivantes",
             {"détails"}},
            {"menuparamètresindex12", "feuille_médecins", "médecins", "Table des médecins",
             {"nom", "téléphone", "adresse", "ville"}},
            {"menuparamètresindex15", "feuille_nationalités", "nationalités", "Table des nationalités",
             {"détails", "code"}},
            {"menuparamètresindex18", "feuille_niveaux", "niveaux", "Table des niveaux et des cycles",
             {"code", "détails", "cycle"}},
            {"menuparamètresindex14", "feuille_sexe", "sexe", "Table des sexes", {"détails"}},
            {"menuparamètresindex17", "feuille_situations_familiales", "situations_familiales",
             "Table des situations familiales", {"détails"}},
            {MenuVilles, Villes, "villes", "Table des villes", {"codes postaux", "détails"}},
        };
        Base b;
        for (const Attendu& a : attendus) {
            const int lignes = b.compte(a.table);
            menu(a.menu);
            QVERIFY2(feuille(a.fenetre).estAffichee(), qPrintable(a.fenetre));
            QCOMPARE(feuille(a.fenetre).Caption(), a.legende);
            QVERIFY(!dat(a.fenetre)->isVisibleTo(&feuille(a.fenetre)));
            QVERIFY(!accepter_visible(a.fenetre));
            auto* grille = controle<forms::GrilleDonnees>(a.fenetre, "grdDataGrid");
            QStringList colonnes;
            int ensemble = 0;
            for (int c = 0; c < grille->model()->columnCount(); ++c) {
                colonnes << grille->model()->headerData(c, Qt::Horizontal).toString();
                // Each heading reads whole...
                const int titre = grille->horizontalHeader()->fontMetrics().horizontalAdvance(colonnes.last());
                QVERIFY2(grille->columnWidth(c) >= titre, qPrintable(a.fenetre + " : " + colonnes.last()));
                ensemble += grille->columnWidth(c);
            }
            QCOMPARE(colonnes, a.colonnes);
            // ...and the columns stand side by side in the grid, with no sideways scrolling.
            QVERIFY2(ensemble <= grille->viewport()->width(),
                     qPrintable(QStringLiteral("%1 : %2 > %3").arg(a.fenetre).arg(ensemble).arg(grille->viewport()->width())));
            QCOMPARE(jeu(a.fenetre).RecordCount(), lignes);
            // An empty table waits on one blank record that only "&Valider" writes.
            if (lignes == 0) {
                QCOMPARE(jeu(a.fenetre).EditMode(), 2);
                QCOMPARE(b.compte(a.table), 0);
                cliquer(a.fenetre, "cmdMettreàjour");
                QCOMPARE(b.compte(a.table), 1);
            }
            QTest::keyClick(&feuille(a.fenetre), Qt::Key_Escape);
            traiter();
            QVERIFY(!chargee(a.fenetre));
        }
        QVERIFY(b.boites->vues.isEmpty());
    }

    // "ville" and "c.postal" of every caller fill postcode and town, then move the focus on.
    void la_liste_des_villes_pour_chaque_appelant() {
        struct Cas { QString menu, fenetre, postal, ville, focus; qint16 code; };
        for (const Cas& c : {Cas{MenuEcole, Ecole, "code_postal_école", "ville_école", "téléphone_école", 4},
                             Cas{MenuInspection, Inspection, "code_postal_inspection", "ville_inspection",
                                 "téléphone_inspection", 5},
                             Cas{MenuEquipe, Equipe, "code_postal_enseignant", "ville_enseignant",
                                 "téléphone1_enseignant", 6}}) {
            for (const QString bouton : {"Command7", "Command9"}) {
                Base b;
                remplir_listes(b);
                menu(c.menu);
                cliquer(c.fenetre, bouton);
                QVERIFY(feuille(Villes).estAffichee() && accepter_visible(Villes));
                QCOMPARE(Module1::code_appelant, c.code);
                jeu(Villes).MoveNext();
                cliquer(Villes, "bouton_accepter");
                QCOMPARE(texte(c.fenetre, c.postal), QString("44000"));
                QCOMPARE(texte(c.fenetre, c.ville), QString("Nantes"));
                QVERIFY(!chargee(Villes));
                QCOMPARE(focalise(c.fenetre), c.focus);
                QVERIFY(b.boites->vues.isEmpty());
            }
        }
    }

    // The other choice buttons of the settings windows: the chosen row lands in the caller's
    // field and the focus moves on (turning the tab where the field lies on another one).
    // A list opened from the menu while it serves as a picker keeps its "Accepter".
    void les_autres_boutons_de_choix() {
        struct Cas { QString menu, fenetre, bouton, selecteur, zone, valeur, focus; int onglet; };
        for (const Cas& c : {Cas{MenuEcole, Ecole, "Command2", Adresses, "adresse_école", "place du Marché",
                                 "suite_adresse_école", 0},
                             Cas{MenuEcole, Ecole, "Command3", Genres, "genre_directeur", "Madame",
                                 "prénom_directeur", 1},
                             Cas{MenuInspection, Inspection, "Command2", Adresses, "adresse_inspection",
                                 "place du Marché", "adresse2_inspection", 0},
                             Cas{MenuEquipe, Equipe, "Command2", Adresses, "adresse1_enseignant", "place du Marché",
                                 "adresse_enseignant", -1},
                             Cas{MenuEquipe, Equipe, "Command5", Genres, "genre_enseignant", "Madame",
                                 "nom_enseignant", -1}}) {
            Base b;
            remplir_listes(b);
            menu(c.menu);
            cliquer(c.fenetre, c.bouton);
            jeu(c.selecteur).MoveNext();
            if (c.selecteur == Genres) {
                // The forms of address have no relay on their grid.
                emit controle<forms::GrilleDonnees>(Genres, "grdDataGrid")->relais();
                traiter();
                QVERIFY(chargee(Genres) && texte(c.fenetre, c.zone).isEmpty());
            }
            menu(Genres == c.selecteur ? "menuparamètresindex19" : "menuparamètresindex6");
            QVERIFY(accepter_visible(c.selecteur));
            jeu(c.selecteur).MoveFirst();
            jeu(c.selecteur).MoveNext();
            cliquer(c.selecteur, "bouton_accepter");
            QCOMPARE(texte(c.fenetre, c.zone), c.valeur);
            QVERIFY(!chargee(c.selecteur));
            QCOMPARE(focalise(c.fenetre), c.focus);
            if (c.onglet >= 0) QCOMPARE(controle<QTabWidget>(c.fenetre, "SSTab1")->currentIndex(), c.onglet);
            QVERIFY(b.boites->vues.isEmpty());
        }
    }

    // The class picker copies the texts its boxes show, saved or not, into the pupil window.
    void l_equipe_choisit_la_classe() {
        Base b;
        if (!forms::Feuilles::estEnregistree("feuille_élève")) {
            // A stand-in holding the pupil window's class fields, until the real one exists.
            forms::Feuilles::enregistrer("feuille_élève", [] {
                auto* f = new forms::Feuille("feuille_élève");
                auto* disposition = new QVBoxLayout(f);
                for (const char* nom : {"référence_classe_élève", "niveau_classe_élève", "cycle_classe_élève",
                                        "cursus_allongé_élève"}) {
                    auto* zone = new QLineEdit(f);
                    zone->setObjectName(QString::fromUtf8(nom));
                    disposition->addWidget(zone);
                }
                return f;
            });
        }
        b.sql("INSERT INTO \"équipe\" (nom_enseignant, \"référence_classe_enseignant\", niveau_classe_enseignant, "
              "cycle_classe_enseignant) VALUES ('Durand', '1', 'CP', '2'), ('Martin', '2', 'CE1', '2')");
        feuille("feuille_élève").afficher();
        selecteurs::appeler(Equipe, 7);  // the pupil window's class button
        traiter();
        QVERIFY(controle<QPushButton>(Equipe, "bouton_accepter")->isEnabled());
        jeu(Equipe).MoveNext();
        controle<QLineEdit>(Equipe, "niveau_classe_enseignant")->setText("CE2");
        cliquer(Equipe, "bouton_accepter");
        QCOMPARE(texte("feuille_élève", "référence_classe_élève") + texte("feuille_élève", "niveau_classe_élève") +
                     texte("feuille_élève", "cycle_classe_élève"),
                 QString("2CE22"));
        QVERIFY(!chargee(Equipe));
        QCOMPARE(focalise("feuille_élève"), QString("cursus_allongé_élève"));
        menu(MenuEquipe);
        QVERIFY(!controle<QPushButton>(Equipe, "bouton_accepter")->isEnabled());
        QVERIFY(b.boites->vues.isEmpty());
    }

    // Accepting on the new-row line or from an empty list picks nothing: the caller's fields
    // keep their texts, and the picker stays open for a real choice.
    void accepter_sans_ligne_choisie() {
        Base b;
        b.sql("INSERT INTO villes (code_postal, \"détails\") VALUES ('69001', 'Lyon')");
        menu(MenuEcole);
        controle<QLineEdit>(Ecole, "ville_école")->setText("Caen");
        controle<QLineEdit>(Ecole, "adresse_école")->setText("rue Neuve");
        cliquer(Ecole, "Command7");
        cliquer(Villes, "cmdAjouter");
        cliquer(Villes, "bouton_accepter");
        cliquer(Ecole, "Command2");  // the addresses list of the blank database is empty
        cliquer(Adresses, "bouton_accepter");
        QCOMPARE(b.boites->vues.size(), 2);
        for (const auto& vue : b.boites->vues) QCOMPARE(vue.texte, erreur_generale(db::erreurs::AucunEnregistrement));
        QCOMPARE(texte(Ecole, "ville_école") + "/" + texte(Ecole, "adresse_école"), QString("Caen/rue Neuve"));
        QVERIFY(accepter_visible(Villes) && accepter_visible(Adresses));
        QCOMPARE(b.compte("adresses"), 0);
    }

    void les_niveaux_copient_le_code_et_le_cycle() {
        Base b;
        menu(MenuEquipe);
        const QString avant = focalise(Equipe), niveaux = "feuille_niveaux";
        cliquer(Equipe, "Command4");
        jeu(niveaux).MoveLast();
        const QString code = jeu(niveaux).texte("code"), cycle = jeu(niveaux).texte("cycle");
        QVERIFY(!code.isEmpty() && !cycle.isEmpty());
        cliquer(niveaux, "bouton_accepter");
        QCOMPARE(texte(Equipe, "niveau_classe_enseignant"), code);
        QCOMPARE(texte(Equipe, "cycle_classe_enseignant"), cycle);
        QCOMPARE(focalise(Equipe), avant);
    }

    // Chosen with "genre", stored in the field spelled genre_inpecteur; the focus turns the tab.
    void le_genre_de_l_inspecteur() {
        Base b;
        menu(MenuInspection);
        cliquer(Inspection, "Command3");
        jeu(Genres).MoveLast();
        cliquer(Genres, "bouton_accepter");
        QCOMPARE(focalise(Inspection), QString("prénom_inspecteur"));
        QCOMPARE(controle<QTabWidget>(Inspection, "SSTab1")->currentIndex(), 1);
        cliquer(Inspection, "cmdMettreàjour");
        QCOMPARE(b.valeur("SELECT genre_inpecteur FROM inspection"), QString("Mademoiselle"));
    }

    // Once another caller has set its code, a picker copies nothing, stays open, loses "Accepter";
    // this holds even when the newer code is one the picker knows.
    void un_code_remplace_ne_copie_rien() {
        for (const bool codeConnu : {false, true}) {
            Base b;
            remplir_listes(b);
            menu(MenuEcole);
            menu(MenuInspection);
            cliquer(Ecole, "Command7");
            if (codeConnu)
                cliquer(Inspection, "Command2");
            else
                Module1::code_appelant = 7;  // the family window's guardian form of address
            cliquer(Villes, "bouton_accepter");
            QCOMPARE(texte(Ecole, "ville_école") + texte(Inspection, "ville_inspection"), QString());
            QVERIFY(feuille(Villes).estAffichee() && !accepter_visible(Villes));
            QVERIFY(b.boites->vues.isEmpty());
            if (codeConnu) {
                QTest::keyClick(&feuille(Adresses), Qt::Key_Return);  // the newer picker still serves
                traiter();
                QCOMPARE(texte(Inspection, "adresse_inspection"), QString("rue des Lilas"));
            }
        }
    }

    // After a pick the menu opens a plain list: no "Accepter", and a double-click copies nothing.
    void une_liste_du_menu_apres_un_choix() {
        Base b;
        remplir_listes(b);
        menu(MenuEcole);
        cliquer(Ecole, "Command7");
        emit controle<forms::GrilleDonnees>(Villes, "grdDataGrid")->relais();
        traiter();
        QCOMPARE(texte(Ecole, "ville_école"), QString("Lyon"));
        QVERIFY(!chargee(Villes));
        controle<QLineEdit>(Ecole, "ville_école")->clear();
        menu(MenuVilles);
        QVERIFY(!accepter_visible(Villes));
        emit controle<forms::GrilleDonnees>(Villes, "grdDataGrid")->relais();
        traiter();
        QCOMPARE(texte(Ecole, "ville_école"), QString());
        QVERIFY(chargee(Villes));
        // The teaching team's "Accepter" is greyed, not hidden, outside a class pick.
        menu(MenuEquipe);
        auto* accepter = controle<QPushButton>(Equipe, "bouton_accepter");
        QVERIFY(accepter->isVisibleTo(&feuille(Equipe)) && !accepter->isEnabled());
    }

    // The caller has been closed: its record is not reloaded behind the user's back.
    void un_appelant_ferme() {
        Base b;
        remplir_listes(b);
        menu(MenuEcole);
        cliquer(Ecole, "Command7");
        cliquer(Ecole, "cmdFermer");
        cliquer(Villes, "bouton_accepter");
        QVERIFY(!chargee(Ecole));
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().style, forms::styles::Avertissement);
    }

    // A picked value is a copy: changing or deleting the list's entry leaves the record.
    void une_entree_modifiee_ou_supprimee() {
        Base b;
        remplir_listes(b);
        menu(MenuEcole);
        cliquer(Ecole, "Command7");
        cliquer(Villes, "bouton_accepter");
        cliquer(Ecole, "cmdMettreàjour");
        menu(MenuVilles);
        auto* grille = controle<forms::GrilleDonnees>(Villes, "grdDataGrid");
        grille->setCol(1);
        grille->setText("Lugdunum");
        cliquer(Villes, "cmdMettreàjour");
        QCOMPARE(b.valeur("SELECT \"détails\" FROM villes WHERE code_postal = '69001'"), QString("Lugdunum"));
        jeu(Villes).MoveFirst();
        cliquer(Villes, "cmdSupprimer");
        QCOMPARE(b.compte("villes"), 2);
        QCOMPARE(b.valeur("SELECT code_postal_école || ' ' || ville_école FROM école"), QString("69001 Lyon"));
    }

    // From an empty table: a first record, and every box stored in its own column by "&Valider".
    void chaque_fiche_enregistre_tous_ses_champs() {
        struct Cas { QString menu, fenetre, table; int champs; };
        for (const Cas& c : {Cas{MenuEcole, Ecole, "école", 15}, Cas{MenuInspection, Inspection, "inspection", 15},
                             Cas{MenuEquipe, Equipe, "équipe", 14},
                             Cas{"menuparamètresindex5", "feuille_paramètres", "paramètres", 20}}) {
            Base b;
            b.sql("DELETE FROM \"" + c.table + "\"");
            menu(c.menu);
            QVERIFY(feuille(c.fenetre).estAffichee());
            QCOMPARE(b.compte(c.table), 0);
            QStringList saisis, stockes;
            for (QLineEdit* zone : feuille(c.fenetre).findChildren<QLineEdit*>()) {
                if (!qobject_cast<QGroupBox*>(zone->parentWidget())) continue;
                saisis << (QString::number(saisis.size()) + "é" + zone->objectName()).left(forms::limite_caracteres(zone));
                zone->setText(saisis.last());
            }
            QCOMPARE(saisis.size(), c.champs);
            cliquer(c.fenetre, "cmdMettreàjour");
            QVERIFY2(b.boites->vues.isEmpty(), qPrintable(b.boites->derniere().texte));
            for (const auto& ligne : b.sql("SELECT * FROM \"" + c.table + "\"").lignes)
                for (const QVariant& v : ligne)
                    if (!v.isNull()) stockes << v.toString();
            saisis.sort();
            stockes.sort();
            QCOMPARE(stockes, saisis);
        }
    }

    // An e-mail pasted longer than its field is refused whole and told at once in the status
    // bar, naming the field and its limit, as is a key typed into a full box. Accented letters
    // and emoji count one character each, as the database counts them: at the limit they are
    // neither cut nor refused, in the captions window built by hand as in the others.
    void limite_dite_jamais_coupee() {
        Base b;
        const auto barre = [] {
            return qobject_cast<QMainWindow*>(forms::Feuilles::zone()->window())->statusBar()->currentMessage();
        };
        const auto coller = [](QLineEdit* zone, const QString& texte) {
            QApplication::clipboard()->setText(texte);
            zone->setFocus();
            QTest::keyClick(zone, Qt::Key_V, Qt::ControlModifier);
        };
        menu(MenuEcole);
        auto* mail = controle<QLineEdit>(Ecole, "mail_école");
        const QString adresse = "secretariat.direction.ecole.jules-ferry@ac-grenoble-savoie.education.fr";
        QCOMPARE(adresse.size(), 71);
        coller(mail, adresse);
        QCOMPARE(mail->text(), QString());
        QCOMPARE(barre(), QString("Le champ « E-mail » accepte au plus 50 caractères : le texte collé ou inséré en "
                                  "aurait fait 71, il n'a pas été pris."));
        QTest::keyClicks(mail, adresse);
        QCOMPARE(mail->text(), adresse.left(50));
        QCOMPARE(barre(), QString("Le champ « E-mail » est plein : il accepte au plus 50 caractères."));
        // A list's cell, too, takes no more than its field.
        menu(MenuVilles);
        controle<forms::GrilleDonnees>(Villes, "grdDataGrid")->setFocus();
        for (const QChar c : QString("6900112345")) QTest::keyClicks(QApplication::focusWidget(), QString(c));
        auto* cellule = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(cellule);
        QCOMPARE(cellule->text(), QString("69001123"));
        QCOMPARE(barre(), QString("Le champ « codes postaux » est plein : il accepte au plus 8 caractères."));
        QTest::keyClick(cellule, Qt::Key_Escape);

        menu("menuparamètresindex5");
        const QString emoji = QString::fromUcs4(U"\U0001F600");
        auto* intitule = controle<QLineEdit>("feuille_paramètres", "txtFields(0)");
        auto* infobulle = controle<QLineEdit>("feuille_paramètres", "txtFields(10)");
        coller(intitule, QString(19, QChar(0xE9)) + emoji);
        coller(infobulle, emoji.repeated(50));
        QCOMPARE(intitule->text(), QString(19, QChar(0xE9)) + emoji);
        QCOMPARE(infobulle->text(), emoji.repeated(50));
        QTest::keyClicks(intitule, "x");
        QCOMPARE(barre(), QString("Le champ « intitulé du champ 1 » est plein : il accepte au plus 20 caractères."));
        cliquer("feuille_paramètres", "cmdMettreàjour");
        QVERIFY2(b.boites->vues.isEmpty(), qPrintable(b.boites->derniere().texte));
        QCOMPARE(b.valeur("SELECT length(\"intitulé_champ_paramétrable1\") || ' ' || "
                          "length(\"infobulle_champ_paramétrable1\") FROM \"paramètres\""),
                 QString("20 50"));
    }

    // Closing a window, by "&Fermer" or by its close box, saves what was typed in it.
    void fermer_enregistre_la_saisie() {
        struct Cas { QString menu, fenetre, zone, table, champ; bool boiteDeFermeture; };
        for (const Cas& c : {Cas{MenuEcole, Ecole, "nom_école", "école", "nom_école", false},
                             Cas{MenuInspection, Inspection, "nom_inspecteur", "inspection", "nom_inspecteur", true},
                             Cas{MenuEquipe, Equipe, "nom_enseignant", "équipe", "nom_enseignant", true},
                             Cas{"menuparamètresindex5", "feuille_paramètres", "txtFields(0)", "paramètres",
                                 "intitulé_champ_paramétrable1", false}}) {
            Base b;
            menu(c.menu);
            QTest::keyClicks(controle<QLineEdit>(c.fenetre, c.zone), "Dupont");
            if (c.boiteDeFermeture) feuille(c.fenetre).sousFenetre()->close(); else cliquer(c.fenetre, "cmdFermer");
            traiter();
            QVERIFY(!chargee(c.fenetre));
            QCOMPARE(b.valeur("SELECT \"" + c.champ + "\" FROM \"" + c.table + "\""), QString("Dupont"));
            QVERIFY(b.boites->vues.isEmpty());
        }
    }

    // The school window chosen again from its menu, or refreshed, with a name typed and not
    // validated: the name is saved first. The blank record of an empty table, untouched, is not.
    void ecole_choisie_a_nouveau_ou_rafraichie() {
        Base b;
        menu(MenuEcole);
        cliquer(Ecole, "cmdRafraîchir");
        QCOMPARE(b.compte("école"), 0);
        controle<QLineEdit>(Ecole, "nom_école")->setText("Jules Ferry");
        menu(MenuEcole);
        QCOMPARE(b.valeur("SELECT \"nom_école\" FROM \"école\""), QString("Jules Ferry"));
        controle<QLineEdit>(Ecole, "nom_école")->setText("Pasteur");
        cliquer(Ecole, "cmdRafraîchir");
        QCOMPARE(b.valeur("SELECT \"nom_école\" FROM \"école\""), QString("Pasteur"));
        QCOMPARE(texte(Ecole, "nom_école"), QString("Pasteur"));
        QCOMPARE(b.compte("école"), 1);
        QVERIFY(b.boites->vues.isEmpty());
    }

    // A list's cell typed and refused (the file locked by another workstation) is not lost by
    // closing the window: the user goes back to it, and it is written once the file is free.
    void cellule_refusee_gardee_a_la_fermeture() {
        Base b;
        db::BaseDonnees::definirDelaiVerrou(100);
        b.sql("INSERT INTO villes (code_postal, \"détails\") VALUES ('69001', 'Lyon')");
        menu(MenuVilles);
        auto* grille = controle<forms::GrilleDonnees>(Villes, "grdDataGrid");
        grille->setFocus();
        grille->setCurrentIndex(grille->model()->index(0, 1));
        QTest::keyClick(grille, Qt::Key_B);
        auto* editeur = grille->findChild<QLineEdit*>();
        QVERIFY(editeur);
        QTest::keyClicks(editeur, "ron");
        auto autre = db::BaseDonnees::ouvrir(b.chemin);
        autre->requete("BEGIN EXCLUSIVE");
        b.boites->repondre(forms::OK).repondre(forms::Oui);
        cliquer(Villes, "cmdFermer");
        QVERIFY(chargee(Villes));
        QVERIFY(b.boites->derniere().texte.contains("Voulez-vous revenir à la fiche pour la corriger ?"));
        traiter();
        editeur = grille->findChild<QLineEdit*>();
        QVERIFY(editeur && editeur->isVisible());
        QCOMPARE(editeur->text(), QString("bron"));
        autre->requete("COMMIT");
        autre->Close();
        db::BaseDonnees::definirDelaiVerrou(5000);
        cliquer(Villes, "cmdFermer");
        QVERIFY(!chargee(Villes));
        QCOMPARE(b.valeur("SELECT \"détails\" FROM villes"), QString("bron"));
    }

    // Another workstation holds the file: every refused save is told once, what was typed
    // stays, and closing asks whether to go back to it or abandon it.
    void une_saisie_refusee_est_dite_et_gardee() {
        Base b;
        db::BaseDonnees::definirDelaiVerrou(100);
        b.sql("INSERT INTO \"équipe\" (nom_enseignant) VALUES ('Durand'), ('Martin')");
        menu(MenuEquipe);
        auto* nom = controle<QLineEdit>(Equipe, "nom_enseignant");
        nom->setText("Lefèvre");
        auto autre = db::BaseDonnees::ouvrir(b.chemin);
        autre->requete("BEGIN EXCLUSIVE");

        // A move: told, with the choice to go back to the record (taken) or give it up.
        b.boites->repondre(forms::Oui);
        dat(Equipe)->findChild<QToolButton*>("suivant")->click();
        traiter();
        QCOMPARE(b.boites->vues.size(), 1);
        QVERIFY(b.boites->derniere().texte.contains(db::texte_erreur(db::erreurs::Verrouille)));
        QVERIFY(b.boites->derniere().texte.contains("Voulez-vous revenir à la fiche pour la corriger ?"));
        QCOMPARE(b.boites->derniere().style, forms::styles::OuiNon + forms::styles::Avertissement);
        QCOMPARE(jeu(Equipe).AbsolutePosition(), 0);
        QCOMPARE(nom->text(), QString("Lefèvre"));

        // "&Valider": the general error message, once.
        cliquer(Equipe, "cmdMettreàjour");
        QCOMPARE(b.boites->vues.size(), 2);
        QCOMPARE(b.boites->derniere().texte.left(39), QString("Le logiciel a rencontré l'erreur : %1").arg(db::erreurs::Verrouille));
        QCOMPARE(nom->text(), QString("Lefèvre"));

        // Closing: back to the record, then (the file free again) saved on closing.
        b.boites->repondre(forms::Oui);
        cliquer(Equipe, "cmdFermer");
        QCOMPARE(b.boites->vues.size(), 3);
        QVERIFY(b.boites->derniere().texte.startsWith("La fiche en cours n'a pas pu être enregistrée"));
        QCOMPARE(b.boites->derniere().style, forms::styles::OuiNon + forms::styles::Avertissement);
        QVERIFY(chargee(Equipe) && feuille(Equipe).estAffichee());
        QCOMPARE(nom->text(), QString("Lefèvre"));
        autre->requete("COMMIT");
        cliquer(Equipe, "cmdFermer");
        QVERIFY(!chargee(Equipe));
        QCOMPARE(b.boites->vues.size(), 3);
        QCOMPARE(b.valeur("SELECT nom_enseignant FROM \"équipe\" ORDER BY rowid"), QString("Lefèvre"));

        // Abandoning: the window goes, the file keeps what it had.
        menu(MenuEquipe);
        controle<QLineEdit>(Equipe, "nom_enseignant")->setText("Perdu");
        autre->requete("BEGIN EXCLUSIVE");
        b.boites->repondre(forms::Non);
        cliquer(Equipe, "cmdFermer");
        autre->requete("COMMIT");
        autre->Close();
        QVERIFY(!chargee(Equipe));
        QCOMPARE(b.valeur("SELECT nom_enseignant FROM \"équipe\" ORDER BY rowid"), QString("Lefèvre"));
        db::BaseDonnees::definirDelaiVerrou(5000);
    }

    // The pupil and family windows wire their choice buttons from the picker table: each
    // button opens the picker its row names, and that picker copies for the code it sets.
    void les_boutons_de_choix_viennent_de_la_table() {
        for (const selecteurs::Bouton& bt : selecteurs::boutons()) {
            QVERIFY2(selecteurs::chercher(bt.selecteur, bt.code), qPrintable(bt.appelant + " " + bt.nom));
            QCOMPARE(liants::feuille_du_liant(forms::description(bt.selecteur).liant), bt.selecteur);
        }
        Base b;
        remplir_listes(b);
        const QString eleve = "feuille_élève_essai";
        forms::Feuilles::enregistrer(eleve, [eleve] {
            auto* f = new forms::Feuille(eleve);
            auto* disposition = new QVBoxLayout(f);
            for (const char* nom : {"Command9", "Command12"}) {
                auto* bouton = new QPushButton(f);
                bouton->setObjectName(nom);
                disposition->addWidget(bouton);
            }
            for (const char* nom : {"code_postal_résidence", "ville_résidence", "téléphone1_résidence"}) {
                auto* zone = new QLineEdit(f);
                zone->setObjectName(QString::fromUtf8(nom));
                disposition->addWidget(zone);
            }
            return f;
        });
        // The wiring as the pupil window does it, under a name of its own for the test.
        auto& f = feuille(eleve);
        f.setObjectName("feuille_élève");
        selecteurs::brancher(f);
        f.setObjectName(eleve);
        f.afficher();
        QCOMPARE(controle<QPushButton>(eleve, "Command9")->toolTip(),
                 QString("Cliquez pour accéder aux différents choix possibles"));
        cliquer(eleve, "Command12");  // an empty team list starts a blank teacher to fill in
        QCOMPARE(Module1::code_appelant, qint16(7));
        QCOMPARE(jeu(Equipe).EditMode(), 2);
        QVERIFY(controle<QPushButton>(Equipe, "bouton_accepter")->isEnabled());
        cliquer(eleve, "Command9");
        QCOMPARE(Module1::code_appelant, qint16(1));
        QVERIFY(accepter_visible(Villes));
        QVERIFY(b.boites->vues.isEmpty());
    }

    // A database without the table: one clear message, not a second one about the window.
    // A window reached as another kind of window is a type error, not a blind cast.
    void table_absente_et_fenetre_d_un_autre_type() {
        Base b;
        b.sql("DROP TABLE \"paramètres\"");
        menu("menuparamètresindex5");
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte,
                 QString("Le logiciel a rencontré l'erreur : %1\n\nLa table « paramètres » est absente de cette base "
                         "de données.").arg(db::erreurs::TableIntrouvable));
        try {
            forms::Feuilles::obtenir<forms::FenetreDonnees>("feuille_villes");
            forms::Feuilles::obtenir<QMainWindow>("feuille_villes");
            QFAIL("no type error");
        } catch (const Erreur& e) {
            QCOMPARE(e.numero, 13);
        }
    }

    // Bound boxes of several lines keep to their limit, check boxes to a yes/no field, and a
    // picture follows the path its hidden box holds.
    void zones_multilignes_cases_et_photo() {
        Base b;
        b.sql("INSERT INTO \"élèves\" (\"nom_élève\") VALUES ('Léa')");
        forms::FenetreDonnees f("feuille_essai", forms::variation_de("feuille_documents"));
        auto* observations = new QPlainTextEdit(&f);
        auto* aine = new QCheckBox(&f);
        auto* chemin = new QLineEdit(&f);
        auto* photo = new QLabel(&f);
        f.datPrimaryRS()->lier(observations, "observations_générales", 12);
        f.datPrimaryRS()->lier(aine, "ainé");
        f.datPrimaryRS()->lier(chemin, "chemin_photo");
        forms::lier_image(photo, chemin);
        f.datPrimaryRS()->setDatabaseName(b.chemin);
        f.datPrimaryRS()->setRecordSource("SELECT * FROM élèves");
        f.datPrimaryRS()->Refresh();
        QCOMPARE(observations->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        observations->setFocus();
        QTest::keyClicks(observations, "asthme");
        QTest::keyClick(observations, Qt::Key_Return);
        QTest::keyClicks(observations, "allergie au lait");
        QCOMPARE(observations->toPlainText(), QString("asthme\naller"));
        aine->setChecked(true);

        QTemporaryDir dossier;
        const QString image = dossier.filePath("léa.png"), faux = dossier.filePath("faux.jpg");
        QImage(40, 30, QImage::Format_RGB32).save(image);
        QFile(faux).open(QIODevice::WriteOnly);
        chemin->setText(image);
        QVERIFY(!photo->pixmap().isNull());
        chemin->setText(faux);
        QVERIFY(photo->pixmap().isNull());
        QCOMPARE(b.boites->vues.size(), 1);
        QVERIFY(b.boites->derniere().texte.startsWith("Le logiciel a rencontré l'erreur : 481"));
        chemin->setText(image);
        f.cmdMettreajour_Click();
        QVERIFY(b.boites->vues.size() == 1);
        const auto ligne = b.sql("SELECT \"observations_générales\", \"ainé\", chemin_photo FROM \"élèves\"").lignes.value(0);
        QCOMPARE(ligne.value(0).toString(), QString("asthme\naller"));
        QCOMPARE(ligne.value(1).toInt(), 1);
        QCOMPARE(ligne.value(2).toString(), image);
        chemin->setText(dossier.filePath("disparue.png"));
        QVERIFY(photo->pixmap().isNull());
        f.datPrimaryRS()->fermer();
    }

    // The keyboard alone: a list from the menu has the focus in its grid, "&Ajouter" starts
    // the new entry in the first column, Escape closes it.
    void une_liste_au_clavier() {
        Base b;
        remplir_listes(b);
        menu(MenuVilles);
        auto* grille = controle<forms::GrilleDonnees>(Villes, "grdDataGrid");
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grille));
        grille->setCurrentIndex(grille->model()->index(1, 1));
        cliquer(Villes, "cmdAjouter");
        QVERIFY(grille->surLigneNouvelle());
        QCOMPARE(grille->currentIndex().column(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        traiter();
        QVERIFY(!chargee(Villes));
    }

    // A town picked in the school window by keyboard alone: Tab down the fields (never
    // stopping on a choice button) to the town, F4 opens its list with its grid focused, Down
    // then Enter accept the row, and the school window is active again in the field that follows.
    void une_ville_choisie_au_clavier() {
        Base b;
        remplir_listes(b);
        menu(MenuEcole);
        QTRY_COMPARE(focalise(Ecole), QString("nom_école"));
        QStringList parcours;
        for (int i = 0; i < 30 && focalise(Ecole) != "ville_école"; ++i) {
            parcours << focalise(Ecole);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QVERIFY2(parcours.indexOf("adresse_école") < parcours.indexOf("code_postal_école"), qPrintable(parcours.join(' ')));
        QVERIFY2(!parcours.join(' ').contains("Command"), qPrintable(parcours.join(' ')));
        QCOMPARE(focalise(Ecole), QString("ville_école"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        traiter();
        QTRY_COMPARE(focalise(Villes), QString("grdDataGrid"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("grdDataGrid"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        traiter();
        QVERIFY(!chargee(Villes));
        QCOMPARE(texte(Ecole, "ville_école"), QString("Nantes"));
        QCOMPARE(forms::Feuilles::zone()->activeSubWindow(), feuille(Ecole).sousFenetre());
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("téléphone_école"));
        QVERIFY(b.boites->vues.isEmpty());
    }

    // Typed into a picker, "#", "*", "?" and "[" find the row that begins with them, not a row
    // that a pattern would match (a digit, anything).
    void une_liste_cherchee_a_la_lettre() {
        Base b;
        b.sql("INSERT INTO villes (code_postal, \"détails\") VALUES ('10000', 'Troyes'), ('#1', 'Dièse'), "
              "('*2', 'Étoile'), ('?3', 'Question'), ('[4', 'Crochet')");
        menu(MenuEcole);
        cliquer(Ecole, "Command7");
        auto* grille = controle<forms::GrilleDonnees>(Villes, "grdDataGrid");
        grille->setFocus();
        for (const QString t : {"#", "*", "?", "[", "1"}) {
            QTest::qWait(QApplication::keyboardInputInterval() + 50);  // each a new search
            QTest::keyClicks(grille, t);
            traiter();
            QVERIFY2(jeu(Villes).texte("code_postal").startsWith(t), qPrintable(t));
        }
        QCOMPARE(b.compte("villes"), 5);
        QVERIFY(b.boites->vues.isEmpty());
    }

    void les_intitules_ont_leurs_limites() {
        Base b;
        menu("menuparamètresindex5");
        const QString fenetre = "feuille_paramètres";
        QTest::keyClicks(controle<QLineEdit>(fenetre, "txtFields(0)"), "abcdefghijklmnopqrstu");
        QTest::keyClicks(controle<QLineEdit>(fenetre, "txtFields(10)"), QString(51, 'x'));
        cliquer(fenetre, "cmdMettreàjour");
        QCOMPARE(b.valeur("SELECT \"intitulé_champ_paramétrable1\" || '/' || \"infobulle_champ_paramétrable1\" "
                          "FROM \"paramètres\""),
                 "abcdefghijklmnopqrst/" + QString(50, 'x'));
    }

    // Entering a field brings its tab forward, except the fields that never did.
    void l_onglet_suit_le_champ_saisi() {
        Base b;
        menu(MenuInspection);
        auto* onglets = controle<QTabWidget>(Inspection, "SSTab1");
        for (const auto& [champ, onglet] : {std::pair{"Text1", 1}, std::pair{"rne_inspection", 0},
                                           std::pair{"genre_inspecteur", 0}, std::pair{"politesse_inspecteur", 1}}) {
            controle<QLineEdit>(Inspection, champ)->setFocus(Qt::TabFocusReason);
            traiter();
            QCOMPARE(onglets->currentIndex(), onglet);
        }
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
