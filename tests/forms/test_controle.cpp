// The data control: bound fields follow the current record, a record left with changes is
// saved first, and a save that fails cancels the move with nothing lost.
#include "db/outils.h"
#include "platform/forms/controle_donnees.h"
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using namespace db;
using namespace forms;
using essai::erreur_de;

class TestControle : public QObject {
    Q_OBJECT
    QTemporaryDir dossier;
    QString chemin;
    std::unique_ptr<QWidget> fenetre;
    ControleDonnees* controle = nullptr;
    QLineEdit *nom = nullptr, *naissance = nullptr;
    QCheckBox* aine = nullptr;
    QLabel* matricule = nullptr;
    QVector<int> validations;
    QVector<int> erreursRecues;
    int repositions = 0;
    int reponseErreur = 1;

    void cliquer(const char* bouton) {
        auto* b = controle->findChild<QToolButton*>(QLatin1String(bouton));
        QVERIFY(b);
        b->click();
    }
    QString stocke(const QString& champ, const QString& mat) {
        auto b = BaseDonnees::ouvrir(chemin);
        return b->requete(QString("SELECT \"%1\" FROM \"élèves\" WHERE matricule = ?").arg(champ), {mat})
            .lignes.value(0).value(0).toString();
    }

private slots:
    void init() {
        chemin = test::copie_modele(dossier);
        {
            auto b = BaseDonnees::ouvrir(chemin);
            essai::ajouter_eleve(*b, "000001", "Abel", "Léa", "2018-03-01");
            essai::ajouter_eleve(*b, "000002", "Bernard", "Hugo", "2017-06-30");
            essai::ajouter_eleve(*b, "000003", "Cohen", "Inès", QVariant());
        }
        fenetre = std::make_unique<QWidget>();
        controle = new ControleDonnees(fenetre.get());
        controle->setObjectName("datPrimaryRS");
        nom = new QLineEdit(fenetre.get());
        naissance = new QLineEdit(fenetre.get());
        aine = new QCheckBox(fenetre.get());
        matricule = new QLabel(fenetre.get());
        controle->lier(nom, "nom_élève");
        controle->lier(naissance, "date_naissance_élève");
        controle->lier(aine, "ainé");
        controle->lier(matricule, "matricule");
        validations.clear();
        erreursRecues.clear();
        repositions = 0;
        reponseErreur = 1;
        connect(controle, &ControleDonnees::Validate, this, [this](int action, int*) { validations << action; });
        connect(controle, &ControleDonnees::Reposition, this, [this] { ++repositions; });
        connect(controle, &ControleDonnees::Error, this, [this](int n, int* r) { erreursRecues << n; *r = reponseErreur; });
        controle->setDatabaseName(chemin);
        controle->setRecordSource("SELECT * FROM élèves ORDER BY matricule ASC");
        controle->Refresh();
    }
    void cleanup() {
        fenetre.reset();
        ControleDonnees::afficheurErreur = nullptr;
    }

    void champs_lies_suivent_l_enregistrement() {
        QCOMPARE(repositions, 1);
        QCOMPARE(nom->text(), QString("Abel"));
        QCOMPARE(naissance->text(), QString("01/03/2018"));
        QCOMPARE(matricule->text(), QString("000001"));
        // The field's declared width, in characters: thirty emoji go in, a thirty-first does not.
        QCOMPARE(limite_caracteres(nom), 30);
        const QString emoji = QString::fromUcs4(U"\U0001F600");
        nom->clear();
        for (int i = 0; i < 31; ++i) {
            QKeyEvent frappe(QEvent::KeyPress, 0, Qt::NoModifier, emoji);
            QCoreApplication::sendEvent(nom, &frappe);
        }
        QCOMPARE(nom->text(), emoji.repeated(30));
        nom->setText("Abel");
        QVERIFY(!controle->DataChanged());
        cliquer("suivant");
        QCOMPARE(nom->text(), QString("Bernard"));
        cliquer("dernier");
        cliquer("suivant");
        QCOMPARE(nom->text(), QString("Cohen"));
        QCOMPARE(naissance->text(), QString());
        QCOMPARE(controle->Recordset().AbsolutePosition(), 2);
        cliquer("premier");
        QCOMPARE(nom->text(), QString("Abel"));
        // At the last record ">" passes the end and comes back to the last record.
        QCOMPARE(validations, (QVector<int>{action::MoveNext, action::MoveLast, action::MoveNext, action::MoveLast,
                                            action::MoveFirst}));
        controle->setCaption("Fiche: 1");
        QCOMPARE(controle->Caption(), QString("Fiche: 1"));
        // A width the window gives is kept over the field's on the next refresh.
        auto* prenom = new QLineEdit(fenetre.get());
        controle->lier(prenom, "prénom_élève", 20);
        controle->Refresh();
        QCOMPARE(limite_caracteres(prenom), 20);
        QCOMPARE(prenom->text(), QString("Léa"));
        QCOMPARE(limite_caracteres(nom), 30);
    }

    void enregistrement_en_quittant() {
        nom->setText("Abelard");
        aine->setChecked(true);
        QVERIFY(controle->DataChanged());
        cliquer("suivant");
        QCOMPARE(nom->text(), QString("Bernard"));
        QCOMPARE(stocke("nom_élève", "000001"), QString("Abelard"));
        QCOMPARE(stocke("ainé", "000001"), QString("true"));
        // Moves made by window code go through the same save.
        naissance->setText("5/7/2017");
        controle->Recordset().MoveFirst();
        QCOMPARE(stocke("date_naissance_élève", "000002"), QString("2017-07-05"));
        QCOMPARE(nom->text(), QString("Abelard"));
        // A new record from the window: saved when the user moves off it.
        controle->Recordset().AddNew();
        QCOMPARE(nom->text(), QString());
        QCOMPARE(controle->Recordset().AbsolutePosition(), -1);
        nom->setText("Durand");
        controle->Recordset().setValeur("matricule", "000004");
        cliquer("premier");
        QCOMPARE(stocke("nom_élève", "000004"), QString("Durand"));
        QCOMPARE(controle->Recordset().RecordCount(), 4);
        // Validate may refuse the save: the move goes on and nothing is written.
        connect(controle, &ControleDonnees::Validate, this, [](int, int* enregistrer) { *enregistrer = 0; });
        nom->setText("Jamais");
        cliquer("suivant");
        QCOMPARE(stocke("nom_élève", "000001"), QString("Abelard"));
    }

    void echec_de_l_enregistrement() {
        QVector<int> affiches;
        ControleDonnees::afficheurErreur = [&](int n, const QString&) { affiches << n; };
        naissance->setText("31/02/2020");
        nom->setText("Abelard");
        cliquer("suivant");
        QCOMPARE(erreursRecues, QVector<int>{erreurs::ConversionType});
        QCOMPARE(affiches, QVector<int>{erreurs::ConversionType});  // response left at 1
        QCOMPARE(controle->Recordset().AbsolutePosition(), 0);      // the move was cancelled
        QCOMPARE(naissance->text(), QString("31/02/2020"));         // nothing typed is lost
        QCOMPARE(nom->text(), QString("Abelard"));
        QCOMPARE(stocke("nom_élève", "000001"), QString("Abel"));
        QCOMPARE(stocke("date_naissance_élève", "000001"), QString("2018-03-01"));
        // A handler that sets the response to 0 shows nothing; the user corrects and goes on.
        reponseErreur = 0;
        QCOMPARE(erreur_de([&] { controle->Recordset().MoveNext(); }), 0);
        QCOMPARE(affiches.size(), 1);
        QCOMPARE(controle->Recordset().AbsolutePosition(), 0);
        naissance->setText("28/02/2020");
        cliquer("suivant");
        QCOMPARE(stocke("date_naissance_élève", "000001"), QString("2020-02-28"));
        QCOMPARE(nom->text(), QString("Bernard"));

        // A lock held by another workstation: the same, and the retry succeeds.
        nom->setText("Bernardin");
        BaseDonnees::definirDelaiVerrou(150);
        {
            essai::AutrePoste autre(chemin);
            QCOMPARE(autre.executer("BEGIN EXCLUSIVE"), SQLITE_OK);
            cliquer("suivant");
            autre.executer("ROLLBACK");
        }
        BaseDonnees::definirDelaiVerrou(5000);
        QCOMPARE(erreursRecues.last(), erreurs::Verrouille);
        QCOMPARE(nom->text(), QString("Bernardin"));
        cliquer("suivant");
        QCOMPARE(stocke("nom_élève", "000002"), QString("Bernardin"));
    }

    void valider_puis_fermer() {
        nom->setText("Abelard");
        controle->UpdateRecord();
        QVERIFY(!controle->DataChanged());
        controle->Recordset().setBookmark(controle->Recordset().LastModified());
        QCOMPARE(stocke("nom_élève", "000001"), QString("Abelard"));
        // Closing saves what was typed, then releases the file.
        nom->setText("Abel");
        controle->fermer();
        QCOMPARE(validations.last(), action::Close);
        QVERIFY(!controle->aUnRecordset());
        QCOMPARE(stocke("nom_élève", "000001"), QString("Abel"));
        moteur::CompactDatabase(chemin, dossier.filePath("compactee.mdb"));
        QCOMPARE(erreur_de([&] { controle->Recordset().MoveFirst(); }), erreurs::ObjetInvalide);
        // A missing file is the engine's error, raised to the caller.
        controle->setDatabaseName(dossier.filePath("absente.mdb"));
        QCOMPARE(erreur_de([&] { controle->Refresh(); }), erreurs::FichierIntrouvable);
        ControleDonnees seul;
        QCOMPARE(erreur_de([&] { seul.Recordset(); }), erreurs_execution::VariableObjet);
    }

    // The file replaced under a window that still holds it open (another window compacted
    // it and put the copy back under its name): a write into the old file is refused with
    // its own message, the typed text stays, and a refresh shows the file the name now holds.
    void fichier_remplace_pendant_l_ouverture() {
        const QString copie = dossier.filePath("compactage.cpg");
        moteur::CompactDatabase(chemin, copie);
        {
            auto b = BaseDonnees::ouvrir(copie);
            b->requete("UPDATE \"élèves\" SET \"nom_élève\" = 'Abélard' WHERE matricule = '000001'");
        }
        QVERIFY(QFile::remove(chemin));
        QVERIFY(QFile::rename(copie, chemin));
        nom->setText("Perdu");
        cliquer("suivant");
        QCOMPARE(erreursRecues, QVector<int>{erreurs::FichierRemplace});
        QVERIFY(!db::texte_erreur(erreurs::FichierRemplace).isEmpty());
        QCOMPARE(nom->text(), QString("Perdu"));
        QCOMPARE(controle->Recordset().AbsolutePosition(), 0);
        controle->Refresh();
        QCOMPARE(nom->text(), QString("Abélard"));
        nom->setText("Abel");
        cliquer("suivant");
        QCOMPARE(stocke("nom_élève", "000001"), QString("Abel"));
    }
};

QObject* suite_controle() { return new TestControle; }

#include "test_controle.moc"
