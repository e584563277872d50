// The application shell driven as a user would: the splash dismissed, the chooser and the
// login window worked through their controls, the menus triggered by name, against copies
// of the real blank template.
#include "commun/base_test.h"
#include "commun/programme.h"
#include "programme/demarrage.h"
#include "partage/liants.h"
#include "shell/mdiform1.h"
#include "shell/module1.h"
#include "shell/options.h"
#include "platform/forms/twips.h"
#include <sys/stat.h>
#include "platform/db/base_donnees.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/selecteurs.h"
#include "records/liste_auto_extensible.h"
#include "settings/fiches.h"
#include "settings/listes.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <QScopeGuard>
#include <sqlite3.h>
#include <functional>
#include <csignal>
#include <sys/resource.h>
#include "platform/forms/listes_fichiers.h"

using forms::Feuilles;

namespace {

const QStringList travail = {"menuenfantsindex0", "menuexploitationindex0", "menuparamètresindex0",
                             "menuutilitairesindex0"};
const QStringList toujours = {"menufichierindex0", "menuoptionsindex0", "menuaideindex0"};
const QString refus = QStringLiteral("Erreur de code d'accès... Accès non-autorisé!");

QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrire(const QString& chemin, const QByteArray& contenu) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

shell::MDIForm1& principale() { return *shell::fenetre_principale(); }

bool menu_actif(const QString& nom) { return principale().menu(nom)->menuAction()->isEnabled(); }

void declencher(const QString& menu) { principale().findChild<QAction*>(menu)->trigger(); }

forms::Feuille* choix() { return Feuilles::siChargee(QStringLiteral("feuille_choix_base")); }

bool choix_affiche() { return choix() && choix()->estAffichee(); }

int case_options(const char* nom) { return shell::options::valeur_case(QString::fromUtf8(nom)); }

using essai::au_login;
using essai::taper_code;

// A stand-in for a window built elsewhere, when it is not registered yet.
class FeuilleTemoin : public forms::Feuille {
public:
    explicit FeuilleTemoin(const QString& nom) : forms::Feuille(nom) {}
};

}  // namespace

class TestShell : public QObject {
    Q_OBJECT

    QTemporaryDir* dossier = nullptr;
    QString origine;
    forms::RepondeurScripte* boites = nullptr;

    QString options() const { return dossier->filePath("options.ini"); }

    // Starts the program in the temporary folder and dismisses the splash.
    void demarrer(bool parClic = false) {
        programme::preparer_demarrage();
        forms::Feuille* accueil = Feuilles::siChargee(QStringLiteral("feuille_accueil"));
        QVERIFY(accueil && accueil->isVisible());
        if (parClic)
            QTest::mouseClick(accueil->findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
        else
            QTest::keyClick(accueil, Qt::Key_A);
        QTRY_VERIFY(principale().isVisible());
        QVERIFY(!Feuilles::estChargee(QStringLiteral("feuille_accueil")));
    }

    // Selects a file of the chooser's list as a click would.
    void selectionner(const QString& nom) {
        auto* liste = choix()->findChild<forms::ListeFichiers*>(QStringLiteral("File1"));
        liste->Refresh();
        const auto trouves = liste->findItems(nom, Qt::MatchExactly);
        QVERIFY2(!trouves.isEmpty(), qPrintable(nom));
        liste->setListIndex(liste->row(trouves.first()));
    }

    // "Accepter && &Fermer" in the options window opened from its menu, after ticking `cocher`.
    void accepter_options(const char* cocher = nullptr) {
        declencher("menuoptionsindex1");
        forms::Feuille& f = Feuilles::charger("feuille_options");
        QVERIFY(f.estAffichee());
        if (cocher) f.controle<QCheckBox>(QString::fromUtf8(cocher))->click();
        f.controle<QPushButton>("cmdFermer")->click();
        QVERIFY(!f.estAffichee());
    }

    void cliquer_ouvrir() {
        choix()->findChild<QPushButton*>(QStringLiteral("cmdMettreàjour"))->click();
    }

    void donner_code(const QString& base, const QString& code) {
        auto b = db::BaseDonnees::ouvrir(base);
        b->requete(QStringLiteral("DELETE FROM passe"));
        b->requete(QStringLiteral("INSERT INTO passe (passe) VALUES (?)"), {code});
        b->Close();
    }

private slots:
    void init() {
        dossier = new QTemporaryDir;
        origine = QDir::currentPath();
        QDir::setCurrent(dossier->path());
        boites = &forms::installer_repondeur_scripte();
        if (!Feuilles::estEnregistree(QStringLiteral("feuille_famille")))
            Feuilles::enregistrer(QStringLiteral("feuille_famille"),
                                  [] { return new FeuilleTemoin(QStringLiteral("feuille_famille")); });
    }

    void cleanup() {
        programme::arreter_demarrage();
        QDir::setCurrent(origine);
        delete dossier;
    }

    // The login window stands centred across the screen and raised 500 twips above its middle.
    void fenetre_de_code_centree_et_relevee() {
        const QString base = test::copie_modele(*dossier);
        donner_code(base, "Secret");
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        QRect cadre, ecran;
        au_login([&](QDialog* login) {
            cadre = login->frameGeometry();
            ecran = login->screen()->geometry();
            taper_code(login, "Secret");
        });
        demarrer();
        QTRY_VERIFY(menu_actif("menuenfantsindex0"));
        // The centring counts the window without its border, which may shift it by a few pixels.
        QVERIFY(ecran.contains(cadre));
        const int gauche = cadre.left() - ecran.left(), droite = ecran.right() - cadre.right();
        QVERIFY2(qAbs(gauche - droite) <= 4, qPrintable(QStringLiteral("%1 / %2").arg(gauche).arg(droite)));
        const int haut = cadre.top() - ecran.top(), bas = ecran.bottom() - cadre.bottom();
        QVERIFY2(qAbs(bas - haut - 2 * forms::pixels(500)) <= 4, qPrintable(QStringLiteral("%1 / %2").arg(haut).arg(bas)));
    }

    void premier_demarrage_data() {
        QTest::addColumn<bool>("parClic");
        QTest::newRow("touche") << false;
        QTest::newRow("clic") << true;
    }
    void premier_demarrage() {
        QFETCH(bool, parClic);
        test::copie_modele(*dossier, "exemple.mdb");
        demarrer(parClic);
        QCOMPARE(Module1::chemin_programme, QDir::currentPath() + "/");
        QCOMPARE(lire(options()), QByteArray("0\r\n0\r\n0\r\n0\r\n\"\"\r\n"));
        QVERIFY(choix_affiche());
        auto* liste = choix()->findChild<forms::ListeFichiers*>(QStringLiteral("File1"));
        QCOMPARE(liste->count(), 1);
        QCOMPARE(liste->item(0)->text(), QStringLiteral("exemple.mdb"));
        for (const QString& m : travail) QVERIFY2(!menu_actif(m), qPrintable(m));
        for (const QString& m : toujours) QVERIFY2(menu_actif(m), qPrintable(m));
        QVERIFY(boites->vues.isEmpty());
        QCOMPARE(principale().windowTitle(), QStringLiteral("Carnelis - version 2"));
    }

    void reouverture_de_la_derniere_base() {
        const QString base = test::copie_modele(*dossier);
        ecrire(options(), "1\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        QCOMPARE(Module1::chemin_base, base);
        for (const QString& m : travail) QVERIFY2(menu_actif(m), qPrintable(m));
        QCOMPARE(principale().panneau(1)->text(), "Base de données en cours : " + base);
        QVERIFY(!Feuilles::estChargee(QStringLiteral("feuille_choix_base")));
        QVERIFY(!Feuilles::estChargee(QStringLiteral("feuille_patientez")));
        QVERIFY(Feuilles::charger(QStringLiteral("feuille_famille")).estAffichee());
        QVERIFY(!Feuilles::estChargee(QStringLiteral("feuille_élève")));
        QCOMPARE(case_options("Check1"), 1);
        QCOMPARE(case_options("Check3"), 1);
        QVERIFY(boites->vues.isEmpty());
    }

    void fenetres_au_demarrage() {
        const QString base = test::copie_modele(*dossier);
        ecrire(options(), "1\r\n1\r\n1\r\n1\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        QVERIFY(Feuilles::charger("feuille_famille").estAffichee());
        if (!Feuilles::estEnregistree("feuille_traitements")) QSKIP("processing window not registered");
        forms::Feuille& traitements = Feuilles::charger("feuille_traitements");
        QVERIFY(traitements.estAffichee());
        // Opened last, so in front.
        QCOMPARE(principale().zone()->activeSubWindow(), traitements.sousFenetre());
    }

    void derniere_base_vide_ou_absente() {
        // Ticked, but nothing to reopen: the chooser.
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"\"\r\n");
        demarrer();
        QVERIFY(choix_affiche());
        QVERIFY(boites->vues.isEmpty());
        // The chooser, loaded while the splash went away, is centred in the real area.
        forms::Feuille* c = choix();
        QVERIFY(c->largeurEcran() > c->Width());
        QVERIFY(qAbs(c->Left() - (c->largeurEcran() - c->Width()) / 2) < 16);
        QVERIFY(qAbs(c->Top() - ((c->hauteurEcran() - c->Height()) / 2 - 500)) < 16);
    }

    void base_introuvable_au_demarrage() {
        const QString absente = dossier->filePath("absente.mdb");
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + absente.toUtf8() + "\"\r\n");
        demarrer();
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY(boites->vues[0].texte.startsWith("Le logiciel a rencontré l'erreur : 3024\n\n"));
        QCOMPARE(boites->vues[0].style, forms::styles::Avertissement);
        QCOMPARE(boites->vues[0].titre, QStringLiteral("Carnelis v2"));
        // The missing file does not become the working database.
        for (const QString& m : travail) QVERIFY2(!menu_actif(m), qPrintable(m));
        QCOMPARE(principale().panneau(1)->text(), QString());
        QVERIFY(principale().isVisible());
    }

    void chemin_avec_virgule() {
        const QString chemin = dossier->filePath("école, 2026/essai.mdb");
        Module1::chemin_programme = dossier->path() + "/";
        Module1::chemin_base = chemin;
        shell::options::definir_case("Check2", 1);
        Module1::ecrire_options();
        QCOMPARE(lire(options()), "0\r\n1\r\n0\r\n0\r\n\"" + chemin.toUtf8() + "\"\r\n");
        Module1::chemin_base.clear();
        shell::options::definir_case("Check2", 0);
        Module1::lire_options();
        // The path read back is the chooser's selection; it is not the working database
        // before its access code is accepted.
        QCOMPARE(Module1::chemin_base, QString());
        QCOMPARE(case_options("Check2"), 1);
        QCOMPARE(Feuilles::charger("feuille_choix_base").controle<QLabel>("Label4")->text(), chemin);
        // Saved again before any database is opened, the options keep that last database.
        Module1::ecrire_options();
        QCOMPARE(lire(options()), "0\r\n1\r\n0\r\n0\r\n\"" + chemin.toUtf8() + "\"\r\n");
        QVERIFY(boites->vues.isEmpty());
        Feuilles::toutDecharger();
    }

    // A full disk leaves the previous options whole and is told; a path holding a double
    // quote reads back whole after a restart.
    void options_disque_plein_et_guillemet() {
        Module1::chemin_programme = dossier->path() + "/";
        const QString chemin = dossier->filePath("l'école \"Jules Ferry\"/essai.mdb");
        Module1::chemin_base = chemin;
        Module1::ecrire_options();
        const QByteArray ecrit = lire(options());
        QCOMPARE(ecrit.count('"'), 6);
        Module1::chemin_base.clear();
        Module1::lire_options();
        QCOMPARE(Feuilles::charger("feuille_choix_base").controle<QLabel>("Label4")->text(), chemin);

        // The disk fills up: writes past 8 bytes fail as they would on a full disk.
        Module1::chemin_base = dossier->filePath("autre.mdb");
        struct rlimit avant;
        getrlimit(RLIMIT_FSIZE, &avant);
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit plein = avant;
        plein.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &plein);
        Module1::ecrire_options();
        setrlimit(RLIMIT_FSIZE, &avant);
        QCOMPARE(lire(options()), ecrit);
        QCOMPARE(boites->vues.size(), 1);
        // The reason is told: the file cannot be written whole there.
        QVERIFY(boites->vues[0].texte.startsWith("Le gestionnaire d'erreurs des données a rencontré l'erreur : 61\n\n"));
        QVERIFY(boites->vues[0].texte.contains("Fichier trop volumineux pour ce support"));
        QVERIFY(boites->vues[0].texte.contains("Les options précédentes sont conservées"));
        QCOMPARE(QDir(dossier->path()).entryList(QDir::Files), QStringList{"options.ini"});
        Feuilles::toutDecharger();
    }

    // Odd options at start: a garbage file is told once, though the start-up reads it twice; a
    // named pipe in place of the file, or named as the last database, is told instead of
    // holding the start-up waiting, and the chooser comes up.
    void options_inhabituelles() {
        ecrire(options(), "oui\r\n");
        demarrer();
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY(boites->vues[0].texte.startsWith("Le gestionnaire d'erreurs des données a rencontré l'erreur : 13\n\n"));
        QVERIFY(choix_affiche());
        programme::arreter_demarrage();

        QVERIFY(QFile::remove(options()));
        QVERIFY(::mkfifo(QFile::encodeName(options()).constData(), 0644) == 0);
        boites = &forms::installer_repondeur_scripte();
        demarrer();
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY2(boites->vues[0].texte.contains("n'est pas un fichier ordinaire"), qPrintable(boites->vues[0].texte));
        QCOMPARE(boites->vues[0].style, forms::styles::Avertissement);
        QVERIFY(choix_affiche());
        programme::arreter_demarrage();

        QVERIFY(QFile::remove(options()));
        const QString tube = dossier->filePath("tube.mdb");
        QVERIFY(::mkfifo(QFile::encodeName(tube).constData(), 0644) == 0);
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + tube.toUtf8() + "\"\r\n");
        boites = &forms::installer_repondeur_scripte();
        demarrer();
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY2(boites->vues[0].texte.startsWith("Le logiciel a rencontré l'erreur : 3343\n\n"), qPrintable(boites->vues[0].texte));
        QVERIFY(boites->vues[0].texte.contains("pas un fichier ordinaire"));
        for (const QString& m : travail) QVERIFY2(!menu_actif(m), qPrintable(m));
        Feuilles::toutDecharger();
    }

    // The last database of the options survives the chooser: cancelled, it takes its selection
    // away, yet accepting the options keeps the path the file named, and the next start
    // reopens it.
    void options_gardent_la_derniere_base() {
        const QString base = test::copie_modele(*dossier);
        ecrire(options(), "0\r\n0\r\n0\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        QVERIFY(choix_affiche());
        choix()->findChild<QPushButton*>(QStringLiteral("cmdFermer"))->click();
        QTRY_VERIFY(!Feuilles::estChargee("feuille_choix_base"));
        accepter_options("Check3");
        QCOMPARE(lire(options()), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        programme::arreter_demarrage();
        boites = &forms::installer_repondeur_scripte();
        demarrer();
        QTRY_VERIFY(menu_actif("menuenfantsindex0"));
        QCOMPARE(Module1::chemin_base, base);
        QVERIFY(boites->vues.isEmpty());
    }

    // "options.ini" as a link: read through it when it leads to an ordinary file, never opened
    // when it leads to a pipe; accepting the options replaces the link itself by the file, and
    // what it led to is left as it was. A file whose reading stops at a bad value is named in
    // its message and, written again, keeps the values read and the last database it names.
    void options_par_un_lien_ou_illisibles() {
        const QString base = test::copie_modele(*dossier);
        const QByteArray derniere = "\"" + base.toUtf8() + "\"\r\n";
        QTemporaryDir ailleurs;
        const QString fichier = ailleurs.filePath("mes_options.txt");
        const QByteArray texte = "1\r\n0\r\n1\r\n0\r\n" + derniere + "à garder\r\n";
        ecrire(fichier, texte);
        QVERIFY(QFile::link(fichier, options()));
        demarrer();
        QTRY_VERIFY(menu_actif("menuenfantsindex0"));
        QVERIFY(boites->vues.isEmpty());
        accepter_options();
        QCOMPARE(lire(fichier), texte);
        QVERIFY(!QFileInfo(options()).isSymLink());
        QCOMPARE(lire(options()), "1\r\n0\r\n1\r\n0\r\n" + derniere);
        programme::arreter_demarrage();

        QVERIFY(QFile::remove(options()));
        const QString tube = ailleurs.filePath("tube");
        QVERIFY(::mkfifo(QFile::encodeName(tube).constData(), 0644) == 0);
        QVERIFY(QFile::link(tube, options()));
        boites = &forms::installer_repondeur_scripte();
        demarrer();
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY2(boites->vues[0].texte.contains("n'est pas un fichier ordinaire"), qPrintable(boites->vues[0].texte));
        QVERIFY(boites->vues[0].texte.contains(options()));
        QVERIFY(choix_affiche());
        accepter_options("Check2");
        struct stat s {};
        QVERIFY(::stat(QFile::encodeName(tube).constData(), &s) == 0 && S_ISFIFO(s.st_mode));
        QVERIFY(!QFileInfo(options()).isSymLink());
        QCOMPARE(lire(options()), QByteArray("0\r\n1\r\n0\r\n0\r\n\"\"\r\n"));
        programme::arreter_demarrage();

        ecrire(options(), "1\r\noui\r\n0\r\n0\r\n" + derniere);
        boites = &forms::installer_repondeur_scripte();
        demarrer();
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY(boites->vues[0].texte.startsWith("Le gestionnaire d'erreurs des données a rencontré l'erreur : 13\n\n"));
        QVERIFY2(boites->vues[0].texte.contains(options()), qPrintable(boites->vues[0].texte));
        accepter_options();
        QCOMPARE(lire(options()), "1\r\n0\r\n0\r\n0\r\n" + derniere);
    }

    void options_defectueuses_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<int>("numero");
        QTest::addColumn<int>("check2");  // what the reading left in Check2 and Check3
        QTest::addColumn<int>("check3");
        QTest::newRow("moins de cinq valeurs") << QByteArray("0\r\n1\r\n0\r\n0\r\n") << 62 << 1 << 0;
        QTest::newRow("valeur non entière") << QByteArray("0\r\noui\r\n0\r\n0\r\n\"x\"\r\n") << 13 << 2 << 1;
        QTest::newRow("valeur refusée") << QByteArray("0\r\n1\r\n7\r\n0\r\n\"x\"\r\n") << 380 << 1 << 1;
        QTest::newRow("fichier vide") << QByteArray() << 62 << 2 << 1;
    }
    void options_defectueuses() {
        QFETCH(QByteArray, contenu);
        QFETCH(int, numero);
        QFETCH(int, check2);
        QFETCH(int, check3);
        Module1::chemin_programme = dossier->path() + "/";
        ecrire(options(), contenu);
        shell::options::definir_case("Check1", 1);
        shell::options::definir_case("Check2", 2);
        shell::options::definir_case("Check3", 1);
        Module1::chemin_base = "avant";
        QLabel* label4 = Feuilles::charger("feuille_choix_base").controle<QLabel>("Label4");
        label4->setText("avant");
        Module1::lire_options();
        QCOMPARE(boites->vues.size(), 1);
        QCOMPARE(boites->vues[0].texte.section("\n\n", 0, 0),
                 "Le gestionnaire d'erreurs des données a rencontré l'erreur : " + QString::number(numero));
        QCOMPARE(boites->vues[0].style, forms::styles::Avertissement);
        // The values before the bad one are applied, the later ones are kept.
        if (!contenu.isEmpty()) QCOMPARE(case_options("Check1"), 0);
        QCOMPARE(case_options("Check2"), check2);
        QCOMPARE(case_options("Check3"), check3);
        QCOMPARE(Module1::chemin_base, QStringLiteral("avant"));
        QCOMPARE(label4->text(), QStringLiteral("avant"));
        // The file is not held open: it can be rewritten at once.
        Module1::ecrire_options();
        QCOMPARE(boites->vues.size(), 1);
        Feuilles::toutDecharger();
    }

    void dossier_programme_non_inscriptible() {
        // A program folder that is a file: nothing can be created in it.
        ecrire(dossier->filePath("bloque"), "x");
        Module1::chemin_programme = dossier->filePath("bloque") + "/";
        shell::options::definir_case("Check4", 1);
        Module1::lire_options();  // missing file: created, which fails
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY(boites->vues[0].texte.startsWith("Le gestionnaire d'erreurs des données a rencontré l'erreur : 76\n\n"));
        QCOMPARE(case_options("Check4"), 1);
        Feuilles::toutDecharger();
    }

    void code_d_acces_data() {
        QTest::addColumn<QString>("geste");  // what the user does in the login window
        QTest::addColumn<bool>("accepte");
        QTest::newRow("autre casse") << "secret" << false;
        QTest::newRow("blanc final") << "Secret " << false;
        QTest::newRow("annuler") << "*annuler" << false;
        QTest::newRow("fermeture") << "*fermer" << false;
        QTest::newRow("exact") << "Secret" << true;
    }
    void code_d_acces() {
        QFETCH(QString, geste);
        QFETCH(bool, accepte);
        const QString base = test::copie_modele(*dossier);
        donner_code(base, "Secret");
        demarrer();
        selectionner("essai.mdb");
        QCOMPARE(choix()->controle<QLabel>("Label4")->text(), base);
        bool vu = false;
        au_login([&](QDialog* login) {
            vu = true;
            QCOMPARE(login->findChild<QLineEdit*>("accès_tentavive")->echoMode(), QLineEdit::Password);
            QCOMPARE(login->findChild<QLineEdit*>("accès_tentavive")->maxLength(), 10);
            QCOMPARE(login->windowTitle(), QString());
            if (geste == "*annuler") login->findChild<QPushButton*>("cmdFermer")->click();
            else if (geste == "*fermer") login->reject();
            else taper_code(login, geste);
        });
        cliquer_ouvrir();
        if (accepte) {
            QTRY_VERIFY(menu_actif("menuenfantsindex0"));
            QVERIFY(vu);
            QVERIFY(boites->vues.isEmpty());
            QCOMPARE(principale().panneau(1)->text(), "Base de données en cours : " + base);
            QTRY_VERIFY(!Feuilles::estChargee("feuille_choix_base"));
        } else {
            QTRY_COMPARE(boites->vues.size(), 1);
            QVERIFY(vu);
            QCOMPARE(boites->vues[0].texte, refus);
            QCOMPARE(boites->vues[0].style, forms::styles::Avertissement);
            for (const QString& m : travail) QVERIFY2(!menu_actif(m), qPrintable(m));
            QVERIFY(choix_affiche());
            QCOMPARE(choix()->controle<QLineEdit>("accès_tentavive")->text(), QString());
            QCOMPARE(principale().panneau(1)->text(), QString());
            QCOMPARE(Module1::chemin_base, QString());
        }
    }

    void code_refuse_au_demarrage() {
        // The main window stays up, the working menus disabled, and the chooser is not shown.
        const QString base = test::copie_modele(*dossier);
        donner_code(base, "Secret");
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        au_login([](QDialog* login) { taper_code(login, "secret"); });
        demarrer();
        QTRY_COMPARE(boites->vues.size(), 1);
        QCOMPARE(boites->vues[0].texte, refus);
        QVERIFY(principale().isVisible());
        for (const QString& m : travail) QVERIFY2(!menu_actif(m), qPrintable(m));
        QVERIFY(!choix_affiche());
        QCOMPARE(principale().panneau(1)->text(), QString());
    }

    void selection_non_acceptee_pendant_qu_une_base_est_ouverte() {
        // A file clicked in the chooser, or refused, never replaces the open database: the
        // working windows would otherwise read a protected file without its code.
        const QString ouverte = test::copie_modele(*dossier);
        const QString protegee = test::copie_modele(*dossier, "protegee.mdb");
        donner_code(protegee, "Secret");
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + ouverte.toUtf8() + "\"\r\n");
        demarrer();
        QCOMPARE(Module1::chemin_base, ouverte);
        declencher("menufichierindex1");
        selectionner("protegee.mdb");
        QCOMPARE(choix()->controle<QLabel>("Label4")->text(), protegee);
        QCOMPARE(choix()->controle<QLineEdit>("accès_actuel")->text(), QStringLiteral("Secret"));
        QCOMPARE(Module1::chemin_base, ouverte);
        au_login([](QDialog* login) { taper_code(login, "faux"); });
        cliquer_ouvrir();
        QTRY_COMPARE(boites->vues.size(), 1);
        QCOMPARE(boites->vues[0].texte, refus);
        // Menus and panel as they were, still on the open database.
        for (const QString& m : travail) QVERIFY2(menu_actif(m), qPrintable(m));
        QCOMPARE(principale().panneau(1)->text(), "Base de données en cours : " + ouverte);
        QCOMPARE(Module1::chemin_base, ouverte);
        // The right code then opens the other file; while its code is asked, the open
        // database is still the working one.
        QString pendant_le_code;
        au_login([&pendant_le_code](QDialog* login) {
            pendant_le_code = Module1::chemin_base;
            taper_code(login, "Secret");
        });
        cliquer_ouvrir();
        QTRY_COMPARE(principale().panneau(1)->text(), "Base de données en cours : " + protegee);
        QCOMPARE(Module1::chemin_base, protegee);
        QCOMPARE(pendant_le_code, ouverte);
        QCOMPARE(boites->vues.size(), 1);
    }

    // Once the database is closed, a protected file clicked in the chooser, then left with
    // "&Annuler" or a refused code, is not the working file: nothing reads or writes it.
    void fichier_protege_clique_apres_fermeture() {
        const QString ouverte = test::copie_modele(*dossier);
        const QString protegee = test::copie_modele(*dossier, "protegee.mdb");
        donner_code(protegee, "Secret");
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + ouverte.toUtf8() + "\"\r\n");
        demarrer();
        declencher("menufichierindex3");
        declencher("menufichierindex1");
        selectionner("protegee.mdb");
        choix()->findChild<QPushButton*>("cmdFermer")->click();
        QTRY_VERIFY(!Feuilles::estChargee("feuille_choix_base"));
        QCOMPARE(Module1::chemin_base, QString());
        declencher("menufichierindex1");
        selectionner("protegee.mdb");
        au_login([](QDialog* login) { taper_code(login, "faux"); });
        cliquer_ouvrir();
        QTRY_COMPARE(boites->derniere().texte, refus);
        QCOMPARE(Module1::chemin_base, QString());
        QVERIFY(!liants::lier("ouvrir_table_villes"));
        for (const QString& m : travail) QVERIFY2(!menu_actif(m), qPrintable(m));
    }

    // Windows left open follow the working database: closing it, or opening another, saves
    // what they hold and unloads them, so that none writes into a file no longer in use.
    void les_fenetres_suivent_la_base() {
        const QString premiere = test::copie_modele(*dossier);
        const QString seconde = test::copie_modele(*dossier, "seconde.mdb");
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + premiere.toUtf8() + "\"\r\n");
        demarrer();
        const auto ecole = [](const QString& base) {
            auto b = db::BaseDonnees::ouvrir(base);
            const QString nom = b->requete("SELECT nom_école FROM école").lignes.value(0).value(0).toString();
            b->Close();
            return nom;
        };
        declencher("menuparamètresindex2");
        Feuilles::charger("feuille_école").controle<QLineEdit>("nom_école")->setText("Jules Ferry");
        declencher("menufichierindex3");
        QVERIFY(!Feuilles::estChargee("feuille_école"));
        QCOMPARE(ecole(premiere), QString("Jules Ferry"));

        declencher("menufichierindex1");
        selectionner("seconde.mdb");
        cliquer_ouvrir();
        QTRY_COMPARE(Module1::chemin_base, seconde);
        declencher("menuparamètresindex2");
        QPointer<forms::Feuille> avant = &Feuilles::charger("feuille_école");
        avant->controle<QLineEdit>("nom_école")->setText("Pasteur");
        declencher("menufichierindex1");
        selectionner("essai.mdb");
        cliquer_ouvrir();
        QTRY_COMPARE(Module1::chemin_base, premiere);
        QVERIFY(!Feuilles::estChargee("feuille_école"));
        QCOMPARE(ecole(seconde), QString("Pasteur"));
        QCOMPARE(ecole(premiere), QString("Jules Ferry"));
    }

    void ouvrir_sans_selection() {
        test::copie_modele(*dossier);
        demarrer();
        cliquer_ouvrir();
        QTRY_COMPARE(boites->vues.size(), 1);
        QCOMPARE(boites->vues[0].texte,
                 QStringLiteral("Vous devez sélectionner la base de données sur laquelle vous souhaitez travailler..."));
        QCOMPARE(boites->vues[0].style, forms::styles::Avertissement);
        QVERIFY(choix_affiche());
        QVERIFY(!menu_actif("menuparamètresindex0"));
    }

    void double_clic_et_annuler() {
        const QString base = test::copie_modele(*dossier);
        demarrer();
        // "&Annuler" closes without opening: the click made nothing the working file.
        selectionner("essai.mdb");
        choix()->findChild<QPushButton*>("cmdFermer")->click();
        QTRY_VERIFY(!Feuilles::estChargee("feuille_choix_base"));
        QCOMPARE(Module1::chemin_base, QString());
        QVERIFY(!menu_actif("menuenfantsindex0"));
        // Back from the menu: nothing selected, and a double-click opens at once.
        declencher("menufichierindex1");
        QVERIFY(choix_affiche());
        QCOMPARE(choix()->controle<QLabel>("Label4")->text(), QString());
        selectionner("essai.mdb");
        emit choix()->findChild<forms::ListeFichiers*>("File1")->DblClick();
        QTRY_VERIFY(menu_actif("menuenfantsindex0"));
        QCOMPARE(principale().panneau(1)->text(), "Base de données en cours : " + base);
        QVERIFY(boites->vues.isEmpty());
    }

    void clic_de_souris_sur_la_liste() {
        const QString base = test::copie_modele(*dossier);
        demarrer();
        auto* liste = choix()->findChild<forms::ListeFichiers*>("File1");
        const QRect ligne = liste->visualItemRect(liste->item(0));
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, ligne.center());
        QCOMPARE(choix()->controle<QLabel>("Label4")->text(), base);
        QVERIFY(boites->vues.isEmpty());
        QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, ligne.center());
        QTRY_VERIFY(menu_actif("menuenfantsindex0"));
        QVERIFY(boites->vues.isEmpty());
    }

    void changer_de_dossier_vide_la_selection() {
        const QString base = test::copie_modele(*dossier);
        QDir().mkdir(dossier->filePath("autre"));
        demarrer();
        selectionner("essai.mdb");
        choix()->findChild<forms::ListeDossiers*>("Dir1")->setPath(dossier->filePath("autre"));
        QCOMPARE(choix()->controle<QLabel>("Label4")->text(), QString());
        QCOMPARE(choix()->findChild<forms::ListeFichiers*>("File1")->count(), 0);
    }

    void fermer_la_base() {
        const QString base = test::copie_modele(*dossier);
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        QVERIFY(menu_actif("menuutilitairesindex0"));
        declencher("menufichierindex3");
        QCOMPARE(boites->vues.size(), 1);
        QCOMPARE(boites->vues[0].texte, QStringLiteral("La base est fermée..."));
        QCOMPARE(boites->vues[0].style, forms::styles::Information);
        QCOMPARE(principale().panneau(1)->text(), QString());
        QCOMPARE(Module1::chemin_base, QString());
        QCOMPARE(Feuilles::charger("feuille_choix_base").controle<QLabel>("Label4")->text(), QString());
        for (const QString& m : travail) QVERIFY2(!menu_actif(m), qPrintable(m));
        for (const QString& m : toujours) QVERIFY2(menu_actif(m), qPrintable(m));
        // Accepting the options now saves an empty path: the next start shows the chooser.
        declencher("menuoptionsindex1");
        forms::Feuille& opts = Feuilles::charger("feuille_options");
        QVERIFY(opts.estAffichee());
        opts.controle<QPushButton>("cmdFermer")->click();
        QVERIFY(!opts.estAffichee());
        QCOMPARE(lire(options()), QByteArray("0\r\n0\r\n1\r\n0\r\n\"\"\r\n"));
    }

    // A window whose record cannot be saved (the file locked by another workstation) and whose
    // user goes back to it keeps the database open: closing it from the menu, or closing it
    // before its file is replaced, says so, and nothing is closed. Abandoning lets it go.
    void une_fenetre_qui_ne_lache_pas_garde_la_base_ouverte() {
        const QString base = test::copie_modele(*dossier);
        const QString autre_base = test::copie_modele(*dossier, "autre.mdb");
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        declencher("menuparamètresindex2");
        forms::Feuille& ecole = Feuilles::charger("feuille_école");
        ecole.controle<QLineEdit>("nom_école")->setText("Jules Ferry");
        sqlite3* autre = nullptr;
        QCOMPARE(sqlite3_open(base.toUtf8().constData(), &autre), SQLITE_OK);
        QCOMPARE(sqlite3_exec(autre, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        db::BaseDonnees::definirDelaiVerrou(100);
        const auto relacher = qScopeGuard([autre] {
            sqlite3_exec(autre, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(autre);
            db::BaseDonnees::definirDelaiVerrou(5000);
        });

        // Another file is touched: the windows on the working database stay as they are.
        QVERIFY(Module1::fermer_base_donnees(autre_base));
        QVERIFY(boites->vues.isEmpty());

        boites->repondre(forms::Oui);
        QVERIFY(!Module1::fermer_base_donnees(base));
        QVERIFY(boites->derniere().texte.contains("Voulez-vous revenir à la fiche pour la corriger ?"));
        QVERIFY(Feuilles::estChargee("feuille_école"));
        QCOMPARE(ecole.controle<QLineEdit>("nom_école")->text(), QString("Jules Ferry"));

        boites->repondre(forms::Oui);
        declencher("menufichierindex3");
        QVERIFY(Feuilles::estChargee("feuille_école"));
        QCOMPARE(Module1::chemin_base, base);
        QVERIFY(menu_actif("menuenfantsindex0"));
        QVERIFY(!boites->derniere().texte.contains("La base est fermée"));

        sqlite3_exec(autre, "ROLLBACK", nullptr, nullptr, nullptr);
        db::BaseDonnees::definirDelaiVerrou(5000);
        QVERIFY(Module1::fermer_base_donnees(base));
        QVERIFY(!Feuilles::estChargee("feuille_école"));
        QCOMPARE(Module1::chemin_base, base);  // still the working database
        auto b = db::BaseDonnees::ouvrir(base);
        QCOMPARE(b->requete("SELECT nom_école FROM école").lignes.value(0).value(0).toString(), QString("Jules Ferry"));
        b->Close();
    }

    // Quitting saves what each window holds; a save refused (an impossible date) and the user
    // going back to the record keeps the program open, the text on screen.
    void quitter_garde_une_fiche_refusee() {
        const QString base = test::copie_modele(*dossier);
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        declencher("menuenfantsindex1");
        forms::Feuille& eleve = Feuilles::charger("feuille_élève");
        eleve.controle<QLineEdit>("nom_enfant")->setText("Durand");
        eleve.controle<QLineEdit>("date_naissance")->setText("25/13/2015");
        boites->repondre(forms::Oui).repondre(forms::Oui);
        QVERIFY(!principale().close());
        QCOMPARE(boites->vues.size(), 2);
        QCOMPARE(boites->vues[0].texte, QStringLiteral("Voulez-vous quitter le logiciel?"));
        QVERIFY(boites->vues[1].texte.contains("Voulez-vous revenir à la fiche pour la corriger ?"));
        QVERIFY(principale().isVisible());
        QVERIFY(Feuilles::estChargee("feuille_élève"));
        QCOMPARE(eleve.controle<QLineEdit>("nom_enfant")->text(), QString("Durand"));
        QCOMPARE(eleve.controle<QLineEdit>("date_naissance")->text(), QString("25/13/2015"));

        eleve.controle<QLineEdit>("date_naissance")->setText("25/12/2015");
        boites->repondre(forms::Oui);
        QVERIFY(principale().close());
        auto b = db::BaseDonnees::ouvrir(base);
        QCOMPARE(b->requete("SELECT matricule, \"nom_élève\" FROM \"élèves\"").lignes,
                 QVector<QVariantList>({{"000001", "Durand"}}));
        b->Close();
    }

    // A document template typed and not validated is saved when the pupil window opens (which
    // reads the templates again) and when the database is closed with the pupil window open.
    void modele_de_document_garde() {
        const QString base = test::copie_modele(*dossier);
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        const auto intitules = [&] {
            auto b = db::BaseDonnees::ouvrir(base);
            QStringList t;
            for (const auto& l : b->requete("SELECT \"intitulé_bouton\" FROM documents ORDER BY rowid").lignes)
                t << l.value(0).toString();
            b->Close();
            return t;
        };
        declencher("menuparamètresindex4");
        forms::Feuille& documents = Feuilles::charger("feuille_documents");
        const QStringList avant = intitules();
        documents.controle<QLineEdit>("intitulé")->setText("Certificat");
        declencher("menuenfantsindex1");
        QCOMPARE(intitules(), avant + QStringList{"Certificat"});
        QVERIFY(boites->vues.isEmpty());

        declencher("menuparamètresindex4");
        Feuilles::charger("feuille_documents").controle<QLineEdit>("intitulé")->setText("Attestation");
        declencher("menufichierindex3");
        QCOMPARE(intitules(), avant + QStringList{"Attestation"});
        QCOMPARE(boites->derniere().texte, QStringLiteral("La base est fermée..."));
    }

    void question_pour_quitter() {
        const QString base = test::copie_modele(*dossier);
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        const QByteArray avant = lire(options());
        boites->repondre(forms::Non);
        declencher("menufichierindex2");
        QCOMPARE(boites->vues.size(), 1);
        QCOMPARE(boites->vues[0].texte, QStringLiteral("Voulez-vous quitter le logiciel?"));
        QCOMPARE(boites->vues[0].style, forms::styles::OuiNon + forms::styles::Question);
        QVERIFY(principale().isVisible());
        QCOMPARE(Module1::chemin_base, base);
        QVERIFY(menu_actif("menuenfantsindex0"));
        // The close box asks the same; Yes ends the program, without writing anything.
        boites->repondre(forms::Oui);
        bool fermee = false;
        QTimer::singleShot(0, [&] { fermee = principale().close(); });
        QTimer garde;  // a program that did not end would leave the loop running
        garde.setSingleShot(true);
        QObject::connect(&garde, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        garde.start(10000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(fermee);
        QCOMPARE(boites->vues.size(), 2);
        QCOMPARE(boites->vues[1].style, forms::styles::OuiNon + forms::styles::Question);
        QCOMPARE(lire(options()), avant);
    }

    void commandes_des_tables() {
        const QString base = test::copie_modele(*dossier);
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        if (!Feuilles::estEnregistree("feuille_villes") || !Feuilles::estEnregistree("feuille_sexe"))
            QSKIP("reference windows not registered");
        // An empty table: the window opens on one new record, nothing written yet.
        declencher("menuparamètresindex16");
        forms::Feuille& villes = Feuilles::charger("feuille_villes");
        QVERIFY(villes.estAffichee());
        auto& rs = villes.controle<forms::ControleDonnees>("datPrimaryRS")->Recordset();
        QCOMPARE(rs.EditMode(), 2);
        QVERIFY(boites->vues.isEmpty());
        QCOMPARE(db::BaseDonnees::ouvrir(base)->requete("SELECT COUNT(*) FROM villes").lignes[0][0].toInt(), 0);
        // A filled one: on its first row.
        declencher("menuparamètresindex14");
        forms::Feuille& sexes = Feuilles::charger("feuille_sexe");
        QVERIFY(sexes.estAffichee());
        QCOMPARE(sexes.controle<forms::ControleDonnees>("datPrimaryRS")->Recordset().AbsolutePosition(), 0);
        QCOMPARE(sexes.controle<forms::ControleDonnees>("datPrimaryRS")->DatabaseName(), base);
        QVERIFY(boites->vues.isEmpty());
    }

    void chaque_commande_montre_sa_fenetre() {
        // Each command of "&Administration" whose window exists binds it to the working
        // database with its own query and shows it; choosing it again brings it back in front.
        struct Attendu { const char* menu; const char* feuille; const char* source; bool onglet; };
        const Attendu attendus[] = {
            {"menuparamètresindex1", "feuille_inspection", "SELECT * FROM inspection", true},
            {"menuparamètresindex2", "feuille_école", "SELECT * FROM école", true},
            {"menuparamètresindex3", "feuille_équipe", "SELECT * FROM équipe", false},
            {"menuparamètresindex4", "feuille_documents", "SELECT * FROM documents", false},
            {"menuparamètresindex5", "feuille_paramètres", "SELECT * FROM paramètres", false},
            {"menuparamètresindex22", "feuille_accès", "SELECT * FROM passe", false},
            {"menuparamètresindex6", "feuille_adresses", "SELECT * FROM adresses", false},
            {"menuparamètresindex7", "feuille_assurances", "SELECT * FROM assurances", false},
            {"menuparamètresindex23", "feuille_assertions", "SELECT * FROM assertions", false},
            {"menuparamètresindex8", "feuille_csp", "SELECT * FROM csp", false},
            {"menuparamètresindex19", "feuille_genres", "SELECT * FROM genres", false},
            {"menuparamètresindex9", "feuille_hôpitaux", "SELECT * FROM hôpitaux", false},
            {"menuparamètresindex13", "feuille_langues_vivantes", "SELECT * FROM langues_vivantes", false},
            {"menuparamètresindex12", "feuille_médecins", "SELECT * FROM médecins", false},
            {"menuparamètresindex15", "feuille_nationalités", "SELECT * FROM nationalités", false},
            {"menuparamètresindex18", "feuille_niveaux", "SELECT * FROM niveaux", false},
            {"menuparamètresindex14", "feuille_sexe", "SELECT * FROM sexe", false},
            {"menuparamètresindex17", "feuille_situations_familiales", "SELECT * FROM situations_familiales", false},
            {"menuparamètresindex16", "feuille_villes", "SELECT * FROM villes", false},
        };
        const QString base = test::copie_modele(*dossier);
        ecrire(options(), "0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        demarrer();
        const Attendu* premier = nullptr;
        for (const Attendu& a : attendus) {
            const QString nom = QString::fromUtf8(a.feuille);
            if (!Feuilles::estEnregistree(nom)) continue;
            if (!premier) premier = &a;
            declencher(QString::fromUtf8(a.menu));
            QVERIFY2(boites->vues.isEmpty(), qPrintable(nom + " : " + boites->derniere().texte));
            forms::Feuille& f = Feuilles::charger(nom);
            QVERIFY2(f.estAffichee(), qPrintable(nom));
            QCOMPARE(principale().zone()->activeSubWindow(), f.sousFenetre());
            auto* donnees = f.controle<forms::ControleDonnees>("datPrimaryRS");
            QCOMPARE(donnees->DatabaseName(), base);
            QCOMPARE(donnees->RecordSource(), QString::fromUtf8(a.source));
            if (a.onglet) QCOMPARE(f.controle<QTabWidget>("SSTab1")->currentIndex(), 0);
        }
        if (!premier) QSKIP("no table window registered yet");
        declencher(QString::fromUtf8(premier->menu));
        QCOMPARE(principale().zone()->activeSubWindow(), Feuilles::charger(premier->feuille).sousFenetre());
        // Processing, options and about windows: shown, in front.
        for (const char* menu : {"menuexploitationindex3", "menuoptionsindex1", "menuaideindex1"}) {
            const QString nom = menu == QByteArray("menuexploitationindex3") ? "feuille_traitements"
                                : menu == QByteArray("menuoptionsindex1")    ? "feuille_options"
                                                                              : "feuille_copyright";
            if (!Feuilles::estEnregistree(nom)) continue;
            declencher(QString::fromUtf8(menu));
            QVERIFY2(Feuilles::charger(nom).estAffichee(), qPrintable(nom));
            QCOMPARE(principale().zone()->activeSubWindow(), Feuilles::charger(nom).sousFenetre());
        }
        QVERIFY(boites->vues.isEmpty());
        // The spreadsheet export asks for its file name; cancelled, it does nothing more.
        QFile::copy(QStringLiteral(CARNELIS_DOSSIER_PROGRAMME "/fiche_export.rpt"), Module1::chemin_programme + "fiche_export.rpt");
        boites->annulerSaisie();
        declencher("menuexploitationindex4");
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY(boites->vues[0].saisie);
        QCOMPARE(boites->vues[0].titre, QStringLiteral("Exportation des données vers un fichier Excel"));
    }

    void liants_sans_base() {
        Module1::chemin_base.clear();
        programme::preparer_demarrage();
        // A skipping binder says nothing and loads its window without showing it.
        if (Feuilles::estEnregistree("feuille_villes")) {
            Module1::ouvrir_table_villes();
            QVERIFY(boites->vues.isEmpty());
            QVERIFY(Feuilles::estChargee("feuille_villes"));
            QVERIFY(!Feuilles::charger("feuille_villes").estAffichee());
        }
        // A binder of a window that does not exist yet does nothing at all.
        if (!Feuilles::estEnregistree("feuille_accès")) {
            Module1::ouvrir_table_passe_acces();
            QVERIFY(boites->vues.isEmpty());
        }
        // The chooser's binder reports a missing file with the general box.
        Module1::chemin_base = dossier->filePath("absente.mdb");
        Module1::ouvrir_table_passe_choix();
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY(boites->vues[0].texte.startsWith("Le logiciel a rencontré l'erreur : 3024\n\n"));
    }

    // Every window the program registers has its description; every window that a table names
    // (a reference list, a record form, a picker and its callers, a self-extending lookup) is
    // a registered window, and every binder leads back to its own window. A name that no
    // window has is refused, never given a default. Tables handed over again (tests and
    // benchmarks do) keep one row per window and per choice button, whose click would
    // otherwise open its picker twice.
    void chaque_fenetre_a_sa_description() {
        programme::preparer_demarrage();
        programme::enregistrer_tables();
        QSet<QString> decrites, boutons;
        for (const auto& d : forms::descriptions()) {
            QVERIFY2(!decrites.contains(d.nom), qPrintable(d.nom));
            decrites << d.nom;
        }
        for (const auto& b : selecteurs::boutons()) {
            const QString cle = b.appelant + '.' + b.nom;
            QVERIFY2(!boutons.contains(cle), qPrintable(cle));
            boutons << cle;
            QVERIFY2(selecteurs::chercher(b.selecteur, b.code), qPrintable(cle));
        }
        const QStringList enregistrees = Feuilles::enregistrees();
        for (const QString& nom : enregistrees) QCOMPARE(forms::description(nom).nom, nom);
        QStringList nommees;
        for (const auto& d : listes::table()) nommees << d.fenetre;
        for (const auto& d : fiches::table()) nommees << d.fenetre;
        for (const auto& c : selecteurs::table()) nommees << c.selecteur << c.appelant;
        for (const auto& b : selecteurs::boutons()) nommees << b.appelant << b.selecteur;
        for (const auto& x : listes_auto::table()) nommees << x.fenetre << x.liste;
        for (const QString& nom : nommees) QVERIFY2(enregistrees.contains(nom), qPrintable(nom));
        for (const auto& d : forms::descriptions()) {
            if (!d.liant.isEmpty()) QCOMPARE(liants::feuille_du_liant(d.liant), d.nom);
            QVERIFY2(d.liant.isEmpty() == d.source.isEmpty(), qPrintable(d.nom));
        }
        QVERIFY_THROWS_EXCEPTION(Erreur, forms::description("feuille_inconnue"));
        QVERIFY_THROWS_EXCEPTION(Erreur, forms::variation_de("feuille_élèves"));
    }

    void arbre_des_menus() {
        programme::preparer_demarrage();
        // Meanwhile the splash blinks: blue on pale yellow, then the reverse.
        auto* invite = Feuilles::charger("feuille_accueil").controle<QLabel>("Label1");
        QCOMPARE(invite->palette().color(QPalette::Window), QColor(255, 255, 128));
        QCOMPARE(invite->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QTRY_COMPARE_WITH_TIMEOUT(invite->palette().color(QPalette::Window), QColor(0, 0, 255), 1500);
        QCOMPARE(invite->palette().color(QPalette::WindowText), QColor(255, 255, 128));
        // The reference lists as a user reads them, in the order shown.
        QStringList tables;
        for (QAction* a : principale().menu("menuparamètresindex20")->actions()) tables << a->text();
        QCOMPARE(tables, QStringList({"Table des Adresses", "Table des Assurances", "Table des Assertions",
                                      "Table des CSP", "Table des Genres", "Table des Hôpitaux",
                                      "Table des Langues Vivantes", "Table des Médecins", "Table des Nationalités",
                                      "Table des Niveaux et Cycles", "Table des Sexes",
                                      "Table des Situations Familiales", "Table des Villes"}));
        QStringList fichier;
        for (QAction* a : principale().menu("menufichierindex0")->actions())
            fichier << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(fichier, QStringList({"&Ouvrir une base de données", "-", "&Fermer la base de données en cours",
                                       "-", "&Quitter le logiciel"}));
        QCOMPARE(principale().findChild<QAction*>("menufichierindex2")->shortcut(), QKeySequence("Ctrl+Q"));
        QCOMPARE(principale().findChild<QAction*>("menuenfantsindex2")->shortcut(), QKeySequence("Ctrl+F"));
        QCOMPARE(principale().findChild<QAction*>("menuenfantsindex1")->shortcut(), QKeySequence("Ctrl+E"));
        QCOMPARE(principale().findChild<QAction*>("menuexploitationindex3")->shortcut(), QKeySequence("Ctrl+T"));
        // "&Utilitaires" is the last entry of "&Administration".
        QCOMPARE(principale().menu("menuparamètresindex0")->actions().last()->objectName(),
                 QStringLiteral("menuutilitairesindex0"));
        QStringList panneaux;
        for (int i = 4; i <= 6; ++i) panneaux << principale().panneau(i)->text();
        QCOMPARE(panneaux, QStringList({"MAJ", "NUM", "INSER"}));
    }
};

QObject* essai_shell() { return new TestShell; }
#include "test_shell.moc"
