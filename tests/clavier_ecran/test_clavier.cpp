// Every data window driven with key events alone, as a head teacher without a mouse does:
// Tab reaches every field once and never a choice button, the record keys move records from
// any field, Alt and a letter presses the window's own button before the main window's menu,
// a tab's letter lands in its first field, the main window's keys work from a text box, the
// grids take a whole row with Tab, and the focus comes back after a preview.
#include "essais.h"
#include "programme.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/clavier.h"
#include "platform/forms/grille_donnees.h"
#include "platform/db/base_donnees.h"
#include "platform/forms/listes_fichiers.h"
#include "platform/report/apercu.h"
#include "platform/forms/selecteurs.h"
#include "records/liste_auto_extensible.h"
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using forms::Feuilles;
using programme::menu;
using programme::traiter;

namespace {

QWidget* focus() { return QApplication::focusWidget(); }
QString nom_focus() { return focus() ? focus()->objectName() : QStringLiteral("(aucun)"); }

void touche(int cle, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(focus() ? focus() : static_cast<QWidget*>(&programme::principale()), Qt::Key(cle), mods);
    traiter();
}

// Typed key by key into whatever has the focus (a grid's cell editor opens on the first key).
void taper(const QString& texte) {
    for (QChar c : texte) {
        if (c.unicode() < 128)
            QTest::keyClicks(focus(), QString(c));
        else  // a letter no key of the test's keyboard carries: its text alone
            QTest::sendKeyEvent(QTest::Click, focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        traiter();
    }
}

forms::Feuille& fenetre(const QString& nom) { return Feuilles::charger(nom); }
template <class T = QWidget> T* controle(const QString& f, const QString& nom) { return fenetre(f).controle<T>(nom); }
db::JeuEnregistrements& jeu(const QString& f) {
    return controle<forms::ControleDonnees>(f, QStringLiteral("datPrimaryRS"))->Recordset();
}

// Hidden by the window itself (not merely on a tab not shown)?
bool cache(QWidget* w, QWidget* fenetre) {
    for (; w && w != fenetre; w = w->parentWidget())
        if (w->isHidden() && !qobject_cast<QStackedWidget*>(w->parentWidget())) return true;
    return false;
}

// The fields a user types in and the buttons that take the keyboard: text boxes, lists,
// boxes to tick and buttons that the window shows (choice buttons are reached by F4).
QStringList champs_de(forms::Feuille& f) {
    QStringList champs;
    for (QWidget* w : f.findChildren<QWidget*>()) {
        const bool champ = qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                           qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w);
        if (!champ || qobject_cast<QComboBox*>(w->parentWidget()) || cache(w, &f) || !w->isEnabled() ||
            !(w->focusPolicy() & Qt::TabFocus))
            continue;
        champs << w->objectName();
    }
    champs.sort();
    return champs;
}

// A button in the grid cell just left of a text box: the search, choice or date button that
// the form builder sets beside a field.
bool bouton_de_champ(QWidget* w) {
    auto* b = qobject_cast<QPushButton*>(w);
    auto* g = b ? qobject_cast<QGridLayout*>(b->parentWidget()->layout()) : nullptr;
    const int i = g ? g->indexOf(b) : -1;
    if (i < 0) return false;
    int ligne = 0, colonne = 0, hauteur = 0, largeur = 0;
    g->getItemPosition(i, &ligne, &colonne, &hauteur, &largeur);
    QLayoutItem* voisin = g->itemAtPosition(ligne, colonne + largeur);
    return voisin && (qobject_cast<QLineEdit*>(voisin->widget()) || qobject_cast<QPlainTextEdit*>(voisin->widget()));
}

}  // namespace

class EssaiClavier : public QObject {
    Q_OBJECT
    programme::Programme prog;

    void ouvrir(const QString& menuNom, const QString& nom) {
        Feuilles::toutDecharger();
        traiter();
        prog.ouvrirBase();
        menu(menuNom);
        QTRY_VERIFY2(Feuilles::estChargee(nom) && fenetre(nom).isAncestorOf(focus()), qPrintable(nom + " " + nom_focus()));
    }

    // The record windows typed into field by field, each with the menu entry that opens it.
    static void fenetres_fiches() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("fenetre");
        QTest::newRow("élève") << "menuenfantsindex1" << "feuille_élève";
        QTest::newRow("famille") << "menuenfantsindex2" << "feuille_famille";
        QTest::newRow("inspection") << "menuparamètresindex1" << "feuille_inspection";
        QTest::newRow("école") << "menuparamètresindex2" << "feuille_école";
        QTest::newRow("équipe") << "menuparamètresindex3" << "feuille_équipe";
    }

private slots:
    void initTestCase() { QVERIFY(prog.demarrer()); }
    void cleanupTestCase() { prog.arreter(); }
    void cleanup() { prog.boites->vues.clear(); }

    void tab_atteint_chaque_champ_data() {
        fenetres_fiches();
        QTest::newRow("documents") << "menuparamètresindex4" << "feuille_documents";
        QTest::newRow("paramètres") << "menuparamètresindex5" << "feuille_paramètres";
    }

    // Tab from the first field goes round the whole window: every field once, in screen
    // order within each frame, never a choice button, and each field shows when it has the focus.
    void tab_atteint_chaque_champ() {
        QFETCH(QString, menu);
        QFETCH(QString, fenetre);
        ouvrir(menu, fenetre);
        forms::Feuille& f = ::fenetre(fenetre);
        QStringList choix;
        for (const selecteurs::Bouton& b : selecteurs::boutons())
            if (b.appelant == fenetre) choix << b.nom;
        QWidget* depart = focus();
        QStringList parcours, invisibles, aRebours;
        QWidget* precedent = nullptr;
        QPoint avant;
        for (int i = 0; i < 300; ++i) {
            parcours << nom_focus();
            if (!focus()->isVisible()) invisibles << nom_focus();
            // Screen order: never back up and to the left on the same tab.
            const QPoint ici = focus()->mapTo(&f, QPoint(0, 0));
            if (precedent && precedent->parentWidget() == focus()->parentWidget() && precedent->isVisible() &&
                ici.y() < avant.y() && ici.x() <= avant.x())
                aRebours << precedent->objectName() + ">" + nom_focus();
            precedent = focus();
            avant = ici;
            touche(Qt::Key_Tab);
            if (focus() == depart) break;
        }
        QVERIFY2(aRebours.isEmpty(), qPrintable(aRebours.join(' ')));
        QVERIFY2(focus() == depart, qPrintable(parcours.join(' ')));
        QVERIFY2(invisibles.isEmpty(), qPrintable(invisibles.join(' ')));
        for (const QString& c : choix) QVERIFY2(!parcours.contains(c), qPrintable(c + " : " + parcours.join(' ')));
        QStringList atteints = parcours;
        atteints.removeDuplicates();
        QCOMPARE(atteints.size(), parcours.size());
        QStringList manquants;
        for (const QString& c : champs_de(f))
            if (!parcours.contains(c)) manquants << c;
        QVERIFY2(manquants.isEmpty(), qPrintable("manquent : " + manquants.join(' ') + " ; parcours : " + parcours.join(' ')));
    }

    void fiche_tapee_au_clavier_data() { fenetres_fiches(); }

    // A whole record typed as a person types it, a value then Tab, from the first field: every
    // value lands in its own field, in the order of the fields, never on a button beside a
    // field (a search, a choice, a date), and no list grows (a value shifted into a
    // self-extending field would be added to its list). Escape then gives it all up.
    void fiche_tapee_au_clavier() {
        QFETCH(QString, menu);
        QFETCH(QString, fenetre);
        ouvrir(menu, fenetre);
        forms::Feuille& f = ::fenetre(fenetre);
        const auto comptes = [this] {
            auto base = db::BaseDonnees::ouvrir(prog.base);
            QStringList r;
            for (const auto& t : base->requete("SELECT name FROM sqlite_master WHERE type = 'table'").lignes)
                r << t[0].toString() + "=" +
                         base->requete("SELECT COUNT(*) FROM \"" + t[0].toString() + "\"").lignes[0][0].toString();
            base->Close();
            return r;
        };
        const QStringList avant = comptes();
        if (auto* ajouter = f.findChild<QAbstractButton*>("cmdAjouter"); ajouter && ajouter->isVisible()) {
            prog.boites->repondre(forms::Non);  // the pupil: not in the siblings shown
            touche(Qt::Key_A, Qt::AltModifier);
        }
        prog.boites->vues.clear();
        // The fields typed into, in the order of the keyboard.
        QWidget* depart = focus();
        QVERIFY(f.isAncestorOf(depart));
        QVector<QWidget*> champs;
        for (QWidget* w = depart; w; w = w->nextInFocusChain()) {
            if (f.isAncestorOf(w) && !cache(w, &f) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                if (auto* z = qobject_cast<QLineEdit*>(w); z && !z->isReadOnly()) champs << w;
                if (qobject_cast<QPlainTextEdit*>(w)) champs << w;
            }
            if (w->nextInFocusChain() == depart) break;
        }
        QVERIFY(champs.size() >= 5);
        const auto valeur = [&](int k) {
            QWidget* w = champs[k];
            if (w->toolTip().contains("JJ/MM/AAAA")) return QDate(2015, 1, 1).addDays(k).toString("dd/MM/yyyy");
            if (const listes_auto::Instance* i = listes_auto::chercher(fenetre, w->objectName())) {
                auto base = db::BaseDonnees::ouvrir(prog.base);
                const QString v = base->requete("SELECT \"détails\" FROM \"" + i->table() + "\" LIMIT 1").lignes[0][0].toString();
                base->Close();
                return v;
            }
            const QString v = QStringLiteral("v%1").arg(k);
            auto* z = qobject_cast<QLineEdit*>(w);
            return z ? v.right(forms::limite_caracteres(z)) : v;
        };
        if (auto* z = qobject_cast<QLineEdit*>(focus())) z->selectAll();
        // Tab passes over what is no field (a box to tick, a command, a list) as the person does;
        // on anything else, the value is typed.
        for (int k = 0, pas = 0; k < champs.size() && pas < 300; ++pas) {
            auto* ligne = qobject_cast<QLineEdit*>(focus());
            const bool champ = (ligne && !ligne->isReadOnly()) || qobject_cast<QPlainTextEdit*>(focus());
            if (champ || bouton_de_champ(focus())) {
                if (auto* zone = qobject_cast<QPlainTextEdit*>(focus())) zone->selectAll();
                taper(valeur(k++));
            }
            touche(Qt::Key_Tab);
        }
        QStringList ailleurs;
        for (int k = 0; k < champs.size(); ++k) {
            auto* z = qobject_cast<QLineEdit*>(champs[k]);
            const QString texte = z ? z->text() : static_cast<QPlainTextEdit*>(champs[k])->toPlainText();
            if (texte != valeur(k)) ailleurs << champs[k]->objectName() + "=" + texte + " (" + valeur(k) + ")";
        }
        QVERIFY2(ailleurs.isEmpty(), qPrintable(ailleurs.join(", ")));
        QCOMPARE(comptes(), avant);
        QVERIFY2(prog.boites->vues.isEmpty(), qPrintable(prog.boites->derniere().texte));
        // Each button beside a field says which key of its field presses it.
        for (QPushButton* b : f.findChildren<QPushButton*>())
            if (bouton_de_champ(b)) QVERIFY2(b->toolTip().endsWith("(F4)"), qPrintable(b->objectName()));
        if (fenetre == "feuille_élève") {
            controle(fenetre, "nom_enfant")->setFocus();
            touche(Qt::Key_F4);
            QCOMPARE(prog.boites->derniere().titre, QString("Positionnement sur une fiche"));
        }
        champs[0]->setFocus();
        touche(Qt::Key_Escape);
        touche(Qt::Key_Escape);
        QVERIFY(!Feuilles::estChargee(fenetre));
        QCOMPARE(comptes(), avant);
    }

    // Ctrl+Pg suiv., Ctrl+Fin, Ctrl+Pg préc. and Ctrl+Début move the pupil window's record from
    // a one-line box and from a multi-line box alike, and the buttons' tooltips say so.
    void touches_de_fiche() {
        ouvrir("menuenfantsindex1", "feuille_élève");
        const QString e = "feuille_élève";
        auto& rs = jeu(e);
        QVERIFY(rs.RecordCount() >= 3);
        QCOMPARE(rs.AbsolutePosition(), 0);
        controle(e, "nom_enfant")->setFocus();
        touche(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(rs.AbsolutePosition(), 1);
        touche(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(rs.AbsolutePosition(), rs.RecordCount() - 1);
        QPlainTextEdit* multi = fenetre(e).findChildren<QPlainTextEdit*>().value(0);
        QVERIFY(multi);
        multi->setFocus();
        touche(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(rs.AbsolutePosition(), rs.RecordCount() - 2);
        touche(Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(rs.AbsolutePosition(), 0);
        QCOMPARE(focus(), static_cast<QWidget*>(multi));
        QCOMPARE(controle<QToolButton>(e, "suivant")->toolTip(), QString("Fiche suivante (Ctrl+Pg suiv.)"));
        QCOMPARE(controle<QToolButton>(e, "premier")->toolTip(), QString("Première fiche (Ctrl+Début)"));
        QVERIFY(prog.boites->vues.isEmpty());
    }

    // Alt+A and Alt+F press the family window's "&Ajouter" and "&Fermer", not the main
    // window's "&Administration" and "&Fichier"; the new family starts in its first field.
    void accelerateurs_de_la_fenetre() {
        ouvrir("menuenfantsindex2", "feuille_famille");
        const QString f = "feuille_famille";
        controle(f, "Text2")->setFocus();
        touche(Qt::Key_A, Qt::AltModifier);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(jeu(f).EditMode(), 2);
        QCOMPARE(focus(), forms::premier_champ(&fenetre(f)));
        touche(Qt::Key_F, Qt::AltModifier);
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(!Feuilles::estChargee(f));
    }

    // Alt+C turns the pupil window to "&Classe" with the cursor in its first field, and the
    // next Tab stays on that tab.
    void lettre_d_onglet() {
        ouvrir("menuenfantsindex1", "feuille_élève");
        auto* onglets = controle<QTabWidget>("feuille_élève", "SSTab1");
        int classe = -1;
        for (int i = 0; i < onglets->count(); ++i)
            if (onglets->tabText(i) == "&Classe") classe = i;
        QVERIFY(classe > 0);
        touche(Qt::Key_C, Qt::AltModifier);
        QCOMPARE(onglets->currentIndex(), classe);
        QWidget* page = onglets->widget(classe);
        QVERIFY2(page->isAncestorOf(focus()), qPrintable(nom_focus()));
        QWidget* premier = focus();
        touche(Qt::Key_Backtab);
        touche(Qt::Key_Tab);
        QCOMPARE(focus(), premier);  // it was the tab's first field
        touche(Qt::Key_Tab);
        QCOMPARE(onglets->currentIndex(), classe);
        QVERIFY(!QApplication::activePopupWidget());
    }

    // A class chosen from the pupil window without the mouse: F4 in the class field opens the
    // teaching team as a picker, Enter accepts its teacher, and the pupil window has the
    // keyboard again.
    void choix_de_la_classe_au_clavier() {
        ouvrir("menuenfantsindex1", "feuille_élève");
        auto* classe = controle<QLineEdit>("feuille_élève", "référence_classe_élève");
        classe->setFocus();
        touche(Qt::Key_F4);
        QTRY_VERIFY(Feuilles::estChargee("feuille_équipe") && fenetre("feuille_équipe").isAncestorOf(focus()));
        const QString reference = controle<QLineEdit>("feuille_équipe", "référence_classe_enseignant")->text();
        QVERIFY(!reference.isEmpty());
        touche(Qt::Key_Return);
        QTRY_VERIFY(!Feuilles::estChargee("feuille_équipe"));
        QCOMPARE(classe->text(), reference);
        QVERIFY2(fenetre("feuille_élève").isAncestorOf(focus()), qPrintable(nom_focus()));
        QVERIFY(prog.boites->vues.isEmpty());
    }

    // The level picker gives the keyboard back to the level it filled.
    void choix_du_niveau_au_clavier() {
        ouvrir("menuparamètresindex3", "feuille_équipe");
        auto* niveau = controle<QLineEdit>("feuille_équipe", "niveau_classe_enseignant");
        niveau->setFocus();
        touche(Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(Feuilles::estChargee("feuille_niveaux") && fenetre("feuille_niveaux").isAncestorOf(focus()));
        touche(Qt::Key_Down);
        touche(Qt::Key_Return);
        QTRY_VERIFY(!Feuilles::estChargee("feuille_niveaux"));
        QVERIFY(!niveau->text().isEmpty());
        QCOMPARE(focus(), static_cast<QWidget*>(niveau));
    }

    // Ctrl+E, the main window's key for the pupils, works from a text box of another window.
    void raccourci_principal_depuis_un_champ() {
        ouvrir("menuenfantsindex2", "feuille_famille");
        QVERIFY(qobject_cast<QLineEdit*>(focus()));
        touche(Qt::Key_E, Qt::ControlModifier);
        QTRY_VERIFY(Feuilles::estChargee("feuille_élève") && fenetre("feuille_élève").estAffichee());
    }

    // A town typed in the towns' grid with Tab between its cells is saved whole, then Tab past
    // the row's end and Ctrl+Tab leave the grid.
    void grille_ligne_entiere() {
        ouvrir("menuparamètresindex16", "feuille_villes");
        const QString v = "feuille_villes";
        auto* grille = controle<forms::GrilleDonnees>(v, "grdDataGrid");
        touche(Qt::Key_A, Qt::AltModifier);
        QVERIFY(grille->surLigneNouvelle());
        QCOMPARE(focus(), static_cast<QWidget*>(grille));
        taper("44000");
        touche(Qt::Key_Tab);
        QVERIFY2(grille == focus() || grille->isAncestorOf(focus()), qPrintable(nom_focus()));
        QCOMPARE(grille->currentIndex().column(), 1);
        taper("Nantes-Est");
        touche(Qt::Key_Tab);
        QVERIFY(!grille->isAncestorOf(focus()) && grille != focus());
        auto base = db::BaseDonnees::ouvrir(prog.base);
        const auto r = base->requete("SELECT COUNT(*) FROM villes WHERE \"détails\" = 'Nantes-Est' AND "
                                     "\"code_postal\" = '44000'");
        base->Close();
        QCOMPARE(r.lignes.value(0).value(0).toInt(), 1);
        grille->setFocus();
        touche(Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(grille != focus() && !grille->isAncestorOf(focus()));
    }

    // "V&oir" of the documents window shows the preview; Escape closes it and the field that
    // had the keyboard has it again.
    void focus_apres_l_apercu() {
        ouvrir("menuparamètresindex4", "feuille_documents");
        auto* titre = controle("feuille_documents", "titre");
        titre->setFocus();
        touche(Qt::Key_O, Qt::AltModifier);
        forms::Feuille* apercu = Feuilles::siChargee(report::FenetreApercu::Nom);
        QVERIFY(apercu && apercu->estAffichee());
        QVERIFY(apercu->isAncestorOf(focus()) || apercu == focus());
        touche(Qt::Key_Escape);
        QVERIFY(!apercu->estAffichee());
        QCOMPARE(focus(), titre);
        // The window under the preview comes back as it was, not enlarged like the preview.
        QVERIFY(!fenetre("feuille_documents").sousFenetre()->isMaximized());
        touche(Qt::Key_Escape);
        QVERIFY(!Feuilles::estChargee("feuille_documents"));
    }

    // A real question on screen: Alt+S asks before deleting the family, N answers No, and the
    // field that had the keyboard has it again.
    void focus_apres_une_question() {
        ouvrir("menuenfantsindex2", "feuille_famille");
        const QString f = "feuille_famille";
        const int familles = jeu(f).RecordCount();
        auto* champ = controle(f, "Text3");
        champ->setFocus();
        forms::installer_repondeur(nullptr);
        QStringList vues;
        auto* minuterie = new QTimer;
        minuterie->setInterval(10);
        QObject::connect(minuterie, &QTimer::timeout, [minuterie, &vues] {
            if (QWidget* boite = QApplication::activeModalWidget()) {
                minuterie->stop();
                minuterie->deleteLater();
                vues << boite->windowTitle();
                QTest::keyClick(boite, Qt::Key_N);
            }
        });
        minuterie->start();
        touche(Qt::Key_S, Qt::AltModifier);
        prog.boites = &forms::installer_repondeur_scripte();
        QCOMPARE(vues.size(), 1);
        QCOMPARE(jeu(f).RecordCount(), familles);
        QTRY_COMPARE(focus(), champ);
    }

    // The window that was active has the keyboard back once "À propos" is closed and once
    // "Sauvegarde effectuée" and "Restauration effectuée" are answered: the next Alt+letter
    // reaches it, not the menu bar.
    void focus_apres_a_propos_et_sauvegarde() {
        ouvrir("menuenfantsindex1", "feuille_élève");
        QWidget* nom = controle("feuille_élève", "nom_enfant");
        nom->setFocus();
        QTRY_COMPARE(focus(), nom);
        // "&?" then "&A propos de..." by the mouse, from the main window's menu bar.
        QMenuBar* barre = programme::principale().menuBar();
        QMenu* aide = programme::principale().menu("menuaideindex0");
        QTest::mouseClick(barre, Qt::LeftButton, {}, barre->actionGeometry(aide->menuAction()).center());
        QTRY_VERIFY(aide->isVisible());
        QTest::mouseClick(aide, Qt::LeftButton, {}, aide->actionGeometry(aide->actions().first()).center());
        QTRY_VERIFY(fenetre("feuille_copyright").isAncestorOf(focus()));
        touche(Qt::Key_O, Qt::AltModifier);
        QVERIFY(!fenetre("feuille_copyright").estAffichee());
        QTRY_COMPARE(focus(), nom);

        menu("menufichierindex1");
        forms::Feuille& choix = fenetre("feuille_choix_base");
        QTRY_VERIFY(choix.estAffichee() && choix.isAncestorOf(focus()));
        auto* fichiers = choix.controle<forms::ListeFichiers>("File1");
        fichiers->setPath(prog.dossier.path());
        fichiers->Refresh();
        const auto trouves = fichiers->findItems("exemple.mdb", Qt::MatchExactly);
        QVERIFY(!trouves.isEmpty());
        fichiers->setListIndex(fichiers->row(trouves.first()));
        fichiers->setFocus();
        QTRY_COMPARE(focus(), static_cast<QWidget*>(fichiers));
        QDir(prog.dossier.path()).mkdir("cle");
        // Each from its button, reached by Tab and pressed by the space bar.
        for (const auto& [bouton, fin] : {std::pair<QString, QString>{"Command4", "Sauvegarde effectuée"},
                                          {"Command5", "Restauration effectuée"}}) {
            prog.boites->vues.clear();
            choix.controle<QPushButton>(bouton)->setFocus(Qt::TabFocusReason);
            touche(Qt::Key_Space);
            forms::Feuille& chemin = fenetre("feuille_chemin");
            QTRY_VERIFY2(chemin.estAffichee() && chemin.isAncestorOf(focus()), qPrintable(prog.boites->derniere().texte));
            chemin.controle<forms::ListeDossiers>("Dir1")->setPath(prog.dossier.filePath("cle"));
            touche(Qt::Key_A, Qt::AltModifier);
            QVERIFY2(prog.boites->derniere().texte.startsWith(fin), qPrintable(prog.boites->derniere().texte));
            QCOMPARE(focus(), static_cast<QWidget*>(choix.controle<QPushButton>(bouton)));
        }
        touche(Qt::Key_Escape);
    }

    // Escape closes the windows that close with their "Fermer" button.
    void echap_ferme_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("fenetre");
        QTest::newRow("traitements") << "menuexploitationindex3" << "feuille_traitements";
        QTest::newRow("options") << "menuoptionsindex1" << "feuille_options";
    }
    void echap_ferme() {
        QFETCH(QString, menu);
        QFETCH(QString, fenetre);
        ouvrir(menu, fenetre);
        touche(Qt::Key_Escape);
        QTRY_VERIFY(!Feuilles::estChargee(fenetre) || !::fenetre(fenetre).estAffichee());
    }

    // Escape gives up what was typed: a name typed by mistake goes back to the saved one and a
    // new pupil typed into is not added, the keyboard staying in its field; with nothing typed,
    // Escape closes the window. The options window closes on Escape without writing its file,
    // its boxes as they were.
    void echap_annule() {
        ouvrir("menuenfantsindex1", "feuille_élève");
        const QString e = "feuille_élève";
        auto* nom = controle<QLineEdit>(e, "nom_enfant");
        const QString enregistre = nom->text();
        QVERIFY(!enregistre.isEmpty());
        nom->setFocus(Qt::TabFocusReason);
        taper("ESSAI-ECHAP");
        touche(Qt::Key_Escape);
        QVERIFY(Feuilles::estChargee(e));
        QCOMPARE(nom->text(), enregistre);
        QCOMPARE(focus(), static_cast<QWidget*>(nom));
        prog.boites->repondre(forms::Non);
        touche(Qt::Key_A, Qt::AltModifier);
        QCOMPARE(jeu(e).EditMode(), 2);
        nom->setFocus(Qt::TabFocusReason);
        taper("ESSAI-ECHAP");
        touche(Qt::Key_Escape);
        QCOMPARE(jeu(e).EditMode(), 0);
        QVERIFY(nom->text() != "ESSAI-ECHAP");
        touche(Qt::Key_Escape);
        QVERIFY(!Feuilles::estChargee(e));
        auto base = db::BaseDonnees::ouvrir(prog.base);
        const auto r = base->requete("SELECT COUNT(*) FROM \"élèves\" WHERE \"nom_élève\" = 'ESSAI-ECHAP'");
        base->Close();
        QCOMPARE(r.lignes.value(0).value(0).toInt(), 0);

        const QString programme = Module1::chemin_programme;
        Module1::chemin_programme = prog.dossier.path() + '/';
        const auto fichier = [this] {
            QFile f(prog.dossier.filePath("options.ini"));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(absent)");
        };
        const QByteArray ecrites = fichier();
        menu("menuoptionsindex1");
        forms::Feuille& options = fenetre("feuille_options");
        auto* coche = options.controle<QCheckBox>("Check1");
        const bool avant = coche->isChecked();
        coche->setFocus();
        touche(Qt::Key_Space);
        QCOMPARE(coche->isChecked(), !avant);
        touche(Qt::Key_Escape);
        const QByteArray apres = fichier();
        Module1::chemin_programme = programme;
        QVERIFY(!options.estAffichee());
        QCOMPARE(apres, ecrites);
        QCOMPARE(coche->isChecked(), avant);
    }

    // In the "&Administration" menu, C (shared by "&Circonscription" and "&Champs
    // Paramétrables") chooses the first.
    void lettre_partagee_dans_un_menu() {
        Feuilles::toutDecharger();
        traiter();
        prog.ouvrirBase();
        QMenu* administration = programme::principale().menu("menuparamètresindex0");
        administration->popup(QPoint(0, 0));
        QTRY_VERIFY(administration->isVisible());
        QTest::keyClick(administration, Qt::Key_C);
        traiter();
        QTRY_VERIFY(!administration->isVisible());
        QVERIFY(Feuilles::estChargee("feuille_inspection") && fenetre("feuille_inspection").estAffichee());
        programme::principale().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&programme::principale()));
    }

    // The folder list of the database chooser opens a folder on Enter, and Escape closes
    // the chooser.
    void dossiers_au_clavier() {
        Feuilles::toutDecharger();
        traiter();
        QDir(prog.dossier.path()).mkdir("sauvegardes");
        forms::Feuille& choix = Feuilles::charger("feuille_choix_base");
        choix.afficher();
        auto* dossiers = choix.controle<forms::ListeDossiers>("Dir1");
        dossiers->setPath(prog.dossier.path());
        traiter();
        dossiers->setFocus();
        QTRY_COMPARE(focus(), static_cast<QWidget*>(dossiers));
        const auto trouves = dossiers->findItems("sauvegardes", Qt::MatchContains);
        QVERIFY(!trouves.isEmpty());
        dossiers->setCurrentItem(trouves.first());
        touche(Qt::Key_Return);
        QTRY_COMPARE(QDir(dossiers->Path()).dirName(), QString("sauvegardes"));
        QCOMPARE(choix.controle<forms::ListeFichiers>("File1")->Path(), dossiers->Path());
        touche(Qt::Key_Escape);
        QTRY_VERIFY(!Feuilles::estChargee("feuille_choix_base") || !choix.estAffichee());
    }
};

QObject* essai_clavier() { return new EssaiClavier; }

#include "test_clavier.moc"
