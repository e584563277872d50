// The template window: its fields and keyboard order, its record commands, and what "V&oir"
// gives the report: the 21 formulas, the selection, and the page the preview shows.
#include "banc_documents.h"
#include "shell/menus.h"
#include <QDate>
#include <QClipboard>
#include <QStatusBar>

using namespace banc;

namespace {

const QString F = QStringLiteral("feuille_documents");

QLineEdit* ligne(const char* nom) { return controle<QLineEdit>(F, QString::fromUtf8(nom)); }
QPlainTextEdit* texte(const char* nom) { return controle<QPlainTextEdit>(F, QString::fromUtf8(nom)); }
QCheckBox* coche(const char* nom) { return controle<QCheckBox>(F, QString::fromUtf8(nom)); }

// The window opened from its menu on a database with no template: a first blank record.
void ouvrir() {
    shell::menus::executer(QStringLiteral("menuparamètresindex4"));
    traiter();
}

void voir() { cliquer(F, QStringLiteral("Command2")); }

QString aujourdhui() { return Jour.toString(QStringLiteral("dd/MM/yyyy")); }

class EssaiFeuilleDocuments : public QObject {
    Q_OBJECT
private slots:
    // The menu opens the window on a first blank record; the keyboard runs down the fields in
    // the order of the printed document, and each box keeps to its limit.
    void fenetre_clavier_et_limites() {
        Base b;
        ouvrir();
        forms::Feuille& f = feuille(F);
        QVERIFY(f.estAffichee());
        QCOMPARE(f.Caption(), QStringLiteral("Documents"));
        QCOMPARE(jeu(F).EditMode(), 2);

        QStringList ordre;
        QWidget* w = ligne("intitulé");
        for (int i = 0; i < 16; ++i) {
            ordre << w->objectName();
            do w = w->nextInFocusChain(); while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled());
        }
        QCOMPARE(ordre, (QStringList{"intitulé", "Check5", "Check2", "titre", "destinataire", "paragraphe1",
                                     "Check3", "paragraphe2", "Check1", "paragraphe3", "paragraphe4", "paragraphe5",
                                     "paragraphe6", "politesse", "Check4", "post_scriptum"}));

        const auto barre = [] {
            return qobject_cast<QMainWindow*>(forms::Feuilles::zone()->window())->statusBar()->currentMessage();
        };
        QTest::keyClicks(ligne("intitulé"), QString(40, 'n'));
        QCOMPARE(ligne("intitulé")->text().size(), 30);
        QCOMPARE(barre(), QStringLiteral("Le champ « nom du document » est plein : il accepte au plus 30 caractères."));
        // A paragraph pasted past its limit is refused whole and told, never cut; at the limit,
        // accented letters and emoji counted one character each, it goes in whole.
        const QString emoji = QString::fromUcs4(U"\U0001F600");
        const auto coller = [](QWidget* zone, const QString& t) {
            QApplication::clipboard()->setText(t);
            zone->setFocus();
            QTest::keyClick(zone, Qt::Key_V, Qt::ControlModifier);
        };
        coller(texte("paragraphe1"), QString(300, 'p'));
        QCOMPARE(texte("paragraphe1")->toPlainText(), QString());
        QCOMPARE(barre(), QStringLiteral("Le champ « paragraphe 1 » accepte au plus 254 caractères : le texte collé ou "
                                         "inséré en aurait fait 300, il n'a pas été pris."));
        const QString paragraphe = QString(253, QChar(0xE9)) + emoji;
        coller(texte("paragraphe1"), paragraphe);
        QCOMPARE(texte("paragraphe1")->toPlainText(), paragraphe);
        coller(ligne("titre"), emoji.repeated(50));
        QCOMPARE(ligne("titre")->text(), emoji.repeated(50));
        // Saved as shown.
        cliquer(F, QStringLiteral("cmdMettreàjour"));
        QCOMPARE(b.valeur("SELECT length(paragraphe1_document) || ' ' || length(titre_document) FROM documents"),
                 QStringLiteral("254 50"));
        QCOMPARE(b.valeur("SELECT paragraphe1_document FROM documents"), paragraphe);
    }

    // "&Ajouter" gives a blank record; "&Supprimer" asks nothing and moves on, to the last
    // record when the deleted one was last.
    void ajouter_et_supprimer() {
        Base b;
        b.sql(QStringLiteral("INSERT INTO documents (\"intitulé_bouton\") VALUES ('A'), ('B'), ('C')"));
        ouvrir();
        cliquer(F, QStringLiteral("cmdAjouter"));
        QCOMPARE(jeu(F).EditMode(), 2);
        QVERIFY(ligne("intitulé")->text().isEmpty());
        ligne("intitulé")->setText(QStringLiteral("D"));
        cliquer(F, QStringLiteral("cmdMettreàjour"));
        QCOMPARE(b.valeur("SELECT count(*) FROM documents"), QStringLiteral("4"));

        jeu(F).MoveLast();
        cliquer(F, QStringLiteral("cmdSupprimer"));
        QCOMPARE(ligne("intitulé")->text(), QStringLiteral("C"));
        jeu(F).MoveFirst();
        cliquer(F, QStringLiteral("cmdSupprimer"));
        QCOMPARE(ligne("intitulé")->text(), QStringLiteral("B"));
        QCOMPARE(b.valeur("SELECT group_concat(\"intitulé_bouton\") FROM documents"), QStringLiteral("B,C"));
        QVERIFY(b.boites->vues.isEmpty());
    }

    // The switches of the formulas: a box counts only when ticked (greyed does not), a text
    // only when not empty; the guardian's four lines have no blank after "=".
    void emplacements_selon_les_cases() {
        Base b;
        ouvrir();
        ligne("intitulé")->setText(QStringLiteral("Lettre"));

        voir();
        QCOMPARE(formules(), QStringList(QVector<QString>(21).toList()));
        QCOMPARE(report::CrystalReport1().SelectionFormula(), QStringLiteral("{documents.intitulé_bouton} = \"Lettre\""));
        QCOMPARE(report::CrystalReport1().Destination(), 0);
        QCOMPARE(report::CrystalReport1().WindowState(), 2);

        coche("Check5")->setChecked(true);
        voir();
        QStringList attendu(QVector<QString>(21).toList());
        attendu[0] = QStringLiteral("date_contrôlée= \"VILLE, ") + aujourdhui() + '"';
        QCOMPARE(formules(), attendu);
        QVERIFY(lignes_apercu().contains(QStringLiteral("VILLE, ") + aujourdhui()));

        coche("Check5")->setChecked(false);
        coche("Check2")->setChecked(true);
        voir();
        attendu[0].clear();
        attendu[1] = QStringLiteral("nom_responsable_contrôlé=\"Monsieur Jean XXXXXXXXXX\"");
        attendu[2] = QStringLiteral("adresse_responsable_contrôlée=\"XXXX, Rue XXXXXXXXXX\"");
        attendu[3] = QStringLiteral("adresse2_responsable_contrôlée=\"B.P. XXXX\"");
        attendu[4] = QStringLiteral("ville_responsable_contrôlée=\"00000 VILLE\"");
        QCOMPARE(formules(), attendu);

        coche("Check2")->setCheckState(Qt::PartiallyChecked);
        coche("Check4")->setCheckState(Qt::PartiallyChecked);
        voir();
        QCOMPARE(formules(), QStringList(QVector<QString>(21).toList()));

        coche("Check1")->setChecked(true);
        coche("Check3")->setChecked(true);
        coche("Check4")->setChecked(true);
        voir();
        const QStringList f = formules();
        QCOMPARE(f[8], QStringLiteral("nom_directeur_contrôlé= \"MONSIEUR ZZZZZZZZZZ ZZZZZZZZZZZZZZZ, Directeur\""));
        QCOMPARE(f[11], QStringLiteral("élève_contrôlé2= \"Inscrit sous le matricule n° MATRICULE_ENFANT - "
                                       "Fréquentant la classe de CLASSE_ENFANT - cycle X\""));
        QCOMPARE(f[12], QStringLiteral("élève_contrôlé3= \"Date de naissance : 00/00/0000 - Lieu de naissance : "
                                       "VILLE_NAISSANCE_ENFANT\""));
        QCOMPARE(f[19], QStringLiteral("cachet_contrôlé= \"00000 - VILLE\""));
        QVERIFY(b.boites->vues.isEmpty());
    }

    // The texts reach the preview as they stand on screen, unsaved, line breaks kept; a
    // double quote prints as typed and cannot end the value or the selection early.
    void textes_tels_que_saisis() {
        Base b;
        ouvrir();
        ligne("intitulé")->setText(QStringLiteral("Lettre"));
        ligne("titre")->setText(QStringLiteral("Ancien titre"));
        cliquer(F, QStringLiteral("cmdMettreàjour"));

        ligne("intitulé")->setText(QStringLiteral("Lettre \"A\""));
        ligne("titre")->setText(QStringLiteral("Le \"grand\" jour"));
        texte("paragraphe1")->setPlainText(QStringLiteral("Première ligne\nDeuxième ligne"));
        texte("post_scriptum")->setPlainText(QStringLiteral("À bientôt"));
        voir();
        const QStringList f = formules();
        QCOMPARE(f[5], QStringLiteral("titre_document= \"Le \"\"grand\"\" jour\""));
        QCOMPARE(f[7], QStringLiteral("paragraphe1= \"Première ligne\nDeuxième ligne\""));
        QCOMPARE(f[20], QStringLiteral("postscriptum= \"À bientôt\""));
        QCOMPARE(report::CrystalReport1().SelectionFormula(),
                 QStringLiteral("{documents.intitulé_bouton} = \"Lettre \"\"A\"\"\""));

        // One letter on one page, with the texts typed; nothing was written.
        QCOMPARE(report::FenetreApercu::instance().document().pages.size(), 1);
        const QStringList page = lignes_apercu();
        QVERIFY2(page.contains(QStringLiteral("Le \"grand\" jour")), qPrintable(page.join('\n')));
        QVERIFY(page.join('\n').contains(QStringLiteral("Première ligne\nDeuxième ligne")) ||
                page.join('\n').contains(QStringLiteral("Première ligne Deuxième ligne")));
        QVERIFY(page.contains(QStringLiteral("P.S. : À bientôt")));
        QCOMPARE(b.valeur("SELECT titre_document FROM documents"), QStringLiteral("Ancien titre"));
        QCOMPARE(ligne("titre")->text(), QStringLiteral("Le \"grand\" jour"));
    }

    // A preview that cannot run says why, with the data-error box, and resets the pointer.
    void apercu_impossible() {
        Base b;
        ouvrir();
        Module1::chemin_programme = b.dossier.path() + '/';
        voir();
        QCOMPARE(b.boites->vues.size(), 1);
        QVERIFY(b.boites->derniere().texte.startsWith(
            QStringLiteral("Le gestionnaire d'erreurs des données a rencontré l'erreur : 53\n\n")));
        QCOMPARE(b.boites->derniere().style, forms::styles::Avertissement);
        QCOMPARE(b.boites->derniere().titre, QStringLiteral("Carnelis v2"));
    }
};

}  // namespace

QObject* essai_feuille_documents() { return new EssaiFeuilleDocuments; }

#include "test_feuille_documents.moc"
