// The chooser's file buttons, the folder window and the emptying utilities, driven through
// their controls against copies of the real blank template; every box checked as shown.
#include "poste.h"
#include "shell/ouverture.h"
#include "platform/forms/controle_donnees.h"
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using forms::Feuilles;
using namespace poste;

namespace {
QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
const QString titre = QStringLiteral("Carnelis v2");
}  // namespace

class TestOperations : public QObject {
    Q_OBJECT
    QTemporaryDir* dossier = nullptr;
    QString origine;
    forms::RepondeurScripte* boites = nullptr;
    QString base;  // "ecole.mdb", 5 pupils

    QString chemin(const QString& nom) const { return dossier->filePath(nom); }

    // The last box, as the user saw it.
    void verifier_boite(const QString& texte, int style) {
        QVERIFY(!boites->vues.isEmpty());
        QCOMPARE(boites->derniere().texte, texte);
        QCOMPARE(boites->derniere().style, style);
        QCOMPARE(boites->derniere().titre, titre);
    }

    // Opens `fichier` as the working database through the start-up option.
    void demarrer_sur(const QString& fichier) {
        programme::arreter_demarrage();
        QFile o(chemin("options.ini"));
        QVERIFY(o.open(QIODevice::WriteOnly));
        o.write("0\r\n0\r\n1\r\n0\r\n\"" + fichier.toUtf8() + "\"\r\n");
        o.close();
        QVERIFY(demarrer());
        QCOMPARE(shell::ouverture::base_ouverte(), fichier);
        shell::ouverture::commande_ouvrir();
        boites->effacer();
    }

    bool menus_actifs() {
        return shell::fenetre_principale()->menu(QStringLiteral("menuenfantsindex0"))->menuAction()->isEnabled();
    }

private slots:
    void init() {
        dossier = new QTemporaryDir;
        origine = QDir::currentPath();
        QDir::setCurrent(dossier->path());
        boites = &forms::installer_repondeur_scripte();
        base = test::copie_modele(*dossier, "ecole.mdb");
        ajouter_eleves(base, 5);
        QVERIFY(demarrer());
        QVERIFY(choix().estAffichee());
        boites->effacer();
    }
    void cleanup() {
        programme::arreter_demarrage();
        QDir::setCurrent(origine);
        delete dossier;
    }

    void creation_data() {
        QTest::addColumn<QString>("reponse");
        QTest::addColumn<QString>("fichier");
        QTest::newRow("deux mots") << "deux mots" << "deux_mots.mdb";
        QTest::newRow("suffixe en capitales, blancs autour") << "  Ecole Jaures.MDB  " << "Ecole_Jaures.MDB";
        QTest::newRow("suffixe mêlé") << "Base.mDb" << "Base.mDb";
    }
    void creation() {
        QFETCH(QString, reponse);
        QFETCH(QString, fichier);
        QFile::copy(QStringLiteral(CARNELIS_MODELE_VIDE), chemin("basevide.mdz"));
        boites->saisir(reponse);
        cliquer("Command3");
        QCOMPARE(boites->vues.size(), 2);
        const forms::BoiteVue saisie = boites->vues[0];
        QVERIFY(saisie.saisie);
        QCOMPARE(saisie.texte, QStringLiteral("Entrez le nom de la nouvelle base de données (nom différent des bases "
                                              "existantes).\n\n\nL'extension .mdb sera ajoutée automatiquement lors de "
                                              "la création de cette base totalement vide.."));
        QCOMPARE(saisie.titre, QStringLiteral("Création d'une nouvelle base vide"));
        QCOMPARE(saisie.defaut, QStringLiteral("nouvelle_base"));
        verifier_boite("Création effectuée...", 64);
        // Page for page the template (the header's change counter aside).
        QCOMPARE(lire(chemin(fichier)).mid(100), lire(CARNELIS_MODELE_VIDE).mid(100));
        QVERIFY(!liste()->findItems(fichier, Qt::MatchExactly).isEmpty());
        QCOMPARE(forms::pointeur_souris(), 0);
        // No database open: no file touched here becomes the working path.
        QCOMPARE(Module1::chemin_base, QString());
        QVERIFY(restes(dossier->path()).isEmpty());
    }

    void creation_refusee() {
        // Cancel.
        boites->annulerSaisie();
        cliquer("Command3");
        verifier_boite("Création de la nouvelle base annulée...", 64);
        QCOMPARE(forms::pointeur_souris(), 0);
        // No template in the folder: the general error, no new file.
        boites->effacer();
        boites->saisir("sans modele");
        cliquer("Command3");
        QVERIFY(boites->derniere().texte.startsWith("Le logiciel a rencontré l'erreur : 3024\n\n"));
        QCOMPARE(boites->derniere().style, forms::styles::Avertissement);
        QVERIFY(!QFile::exists(chemin("sans_modele.mdb")));
        // Names that no file can take.
        QFile::copy(QStringLiteral(CARNELIS_MODELE_VIDE), chemin("basevide.mdz"));
        for (const QString& nom : {QStringLiteral("classe/CM2"), QString(300, QLatin1Char('a'))}) {
            boites->effacer();
            boites->saisir(nom);
            cliquer("Command3");
            QCOMPARE(boites->vues.size(), 2);
            QVERIFY2(boites->derniere().texte.contains("ne peut pas être donné à un fichier"), qPrintable(nom));
            QCOMPARE(boites->derniere().style, forms::styles::Avertissement);
            QCOMPARE(forms::pointeur_souris(), 0);
        }
        QCOMPARE(QDir(dossier->path()).entryList({"*.mdb"}, QDir::Files), QStringList{"ecole.mdb"});
        QVERIFY(!QFile::exists(chemin("classe")));
        // An existing name answered No keeps its data; Yes replaces it with an empty database.
        boites->effacer();
        boites->saisir("ecole").repondre(forms::Non);
        cliquer("Command3");
        QCOMPARE(boites->derniere().texte, "La nouvelle base " + base +
                                               " existe déjà...\n\nVoulez-vous la remplacer par la nouvelle?");
        QCOMPARE(boites->derniere().style,
                 forms::styles::OuiNon + forms::styles::Question + forms::styles::DeuxiemeParDefaut);
        QCOMPARE(lignes(base), 5);
        boites->saisir("ecole").repondre(forms::Oui);
        cliquer("Command3");
        verifier_boite("Création effectuée...", 64);
        QCOMPARE(lignes(base), 0);
    }

    void duplication() {
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        boites->saisir(" copie de travail ");
        cliquer("cmdAjouter");
        QCOMPARE(boites->vues[0].titre, QStringLiteral("Duplication d'une base existante"));
        QCOMPARE(boites->vues[0].defaut, QStringLiteral("base_dupliquée"));
        verifier_boite("Duplication effectuée...", 64);
        QCOMPARE(lignes(chemin("copie de travail.mdb")), 5);
        QCOMPARE(label4()->text(), base);
        QCOMPARE(Module1::chemin_base, QString());  // no database open
        // Cancel shows nothing.
        boites->effacer();
        boites->annulerSaisie();
        cliquer("cmdAjouter");
        QCOMPARE(boites->vues.size(), 1);
        QCOMPARE(forms::pointeur_souris(), 0);
        // Onto itself: refused whatever the answer, the source intact.
        boites->effacer();
        boites->saisir("ecole").repondre(forms::Oui);
        cliquer("cmdAjouter");
        verifier_boite("La base dupliquée " + base + " est la base sélectionnée elle-même...\n\n"
                       "Entrez un nom différent de la base existante : duplication impossible!", 48);
        QCOMPARE(lignes(base), 5);
        QCOMPARE(integrite(base), QStringLiteral("ok"));
        // Without a selection.
        label4()->clear();
        cliquer("cmdAjouter");
        verifier_boite("Vous devez sélectionner la base de données que vous souhaitez dupliquer...", 48);
    }

    void renommage() {
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        boites->saisir("ecole.mdb");
        cliquer("Command6");
        QCOMPARE(boites->vues[0].texte, QStringLiteral("Entrez le nouveau nom de la base sélectionnée."));
        QCOMPARE(boites->vues[0].defaut, QString());
        verifier_boite("La base " + base + " existe déjà...\n\nAction impossible!", 48);
        QCOMPARE(forms::pointeur_souris(), 0);
        boites->saisir("école 2027");
        cliquer("Command6");
        verifier_boite("La base de données a été renommée...", 64);
        QVERIFY(!QFile::exists(base));
        QCOMPARE(lignes(chemin("école 2027.mdb")), 5);
        QCOMPARE(label4()->text(), QString());
        QCOMPARE(Module1::chemin_base, QString());  // no database open
    }

    void suppression() {
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        cliquer("cmdSupprimer");
        verifier_boite("Suppression impossible... Il doit y avoir au moins UNE BASE de travail pour pouvoir exploiter "
                       "le logiciel...", 16);
        test::copie_modele(*dossier, "autre.mdb");
        QVERIFY(selectionner("ecole.mdb"));
        for (int refus : {0, 1}) {
            boites->effacer();
            boites->repondre(refus == 0 ? forms::Non : forms::Oui);
            if (refus == 1) boites->repondre(forms::Non);
            cliquer("cmdSupprimer");
            QCOMPARE(boites->vues.size(), refus + 1);
            QVERIFY(QFile::exists(base));
            QCOMPARE(forms::pointeur_souris(), 0);
        }
        QCOMPARE(boites->vues[0].texte, QStringLiteral("La base sélectionnée sera supprimée DEFINITIVEMENT...\n\n"
                                                       "Confirmez-vous la suppression?"));
        QCOMPARE(boites->vues[0].style, 36 + 256);
        verifier_boite("Ultime confirmation : Etes-vous certain de vouloir supprimer DEFINITIVEMENT la base de données "
                       "sélectionnée?", 20 + 256);
        // Enter at both questions (their default, No) deletes nothing.
        boites->effacer();
        cliquer("cmdSupprimer");
        QCOMPARE(boites->vues.size(), 1);
        QVERIFY(QFile::exists(base));
        boites->effacer();
        boites->repondre(forms::Oui).repondre(forms::Oui);
        cliquer("cmdSupprimer");
        verifier_boite("Suppression effectuée...", 64);
        QVERIFY(!QFile::exists(base));
        QCOMPARE(label4()->text(), QString());
        QCOMPARE(liste()->count(), 1);
    }

    // Deleting, renaming or replacing the database the main window has open closes it, as
    // its menu command does; a working path is never left on a file it was not opened from.
    void base_ouverte_supprimee_ou_renommee() {
        test::copie_modele(*dossier, "autre.mdb");
        for (const char* bouton : {"cmdSupprimer", "Command6"}) {
            if (!QFile::exists(base)) {
                base = test::copie_modele(*dossier, "ecole.mdb");
            }
            demarrer_sur(base);
            QVERIFY(menus_actifs());
            QVERIFY(selectionner("ecole.mdb"));
            boites->saisir("ailleurs");
            if (QByteArray(bouton) == "cmdSupprimer") boites->repondre(forms::Oui).repondre(forms::Oui);
            cliquer(bouton);
            QVERIFY(boites->derniere().style == forms::styles::Information);
            QVERIFY(!QFile::exists(base));
            QVERIFY(!menus_actifs());
            QCOMPARE(shell::fenetre_principale()->panneau(1)->text(), QString());
            QCOMPARE(shell::ouverture::base_ouverte(), QString());
            QFile::remove(chemin("ailleurs.mdb"));
        }
        // Another file touched while a database is open: the working path comes back to it.
        base = test::copie_modele(*dossier, "ecole.mdb");
        demarrer_sur(base);
        QFile::copy(QStringLiteral(CARNELIS_MODELE_VIDE), chemin("basevide.mdz"));
        boites->saisir("neuve");
        cliquer("Command3");
        verifier_boite("Création effectuée...", 64);
        QCOMPARE(Module1::chemin_base, base);
        QVERIFY(selectionner("autre.mdb"));
        boites->saisir("autre copie");
        cliquer("cmdAjouter");
        QCOMPARE(Module1::chemin_base, base);
        QVERIFY(menus_actifs());
    }

    // A database the user may not write is neither compacted, renamed nor deleted, even in a
    // folder where a rename would go through: told in French, the file left exactly as it was.
    void fichier_en_lecture_seule() {
        test::copie_modele(*dossier, "autre.mdb");
        QVERIFY(QFile::setPermissions(base, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QByteArray avant = lire(base);
        struct stat a {};
        QVERIFY(::stat(QFile::encodeName(base).constData(), &a) == 0);
        for (const char* bouton : {"Command2", "Command6", "cmdSupprimer"}) {
            QVERIFY(selectionner("ecole.mdb"));
            boites->effacer();
            cliquer(bouton);
            QVERIFY2(boites->derniere().texte.startsWith("Le logiciel a rencontré l'erreur : 70\n\nPermission refusée : « " +
                                                         QDir::toNativeSeparators(base) + " » est en lecture seule"),
                     qPrintable(boites->derniere().texte));
            QCOMPARE(boites->derniere().style, forms::styles::Avertissement);
            // Refused before any question or name is asked.
            for (const forms::BoiteVue& v : boites->vues) QVERIFY(!v.saisie && v.style != 36);
            QCOMPARE(forms::pointeur_souris(), forms::PointeurDefaut);
            struct stat b {};
            QVERIFY(::stat(QFile::encodeName(base).constData(), &b) == 0);
            QCOMPARE(b.st_ino, a.st_ino);
            QCOMPARE(b.st_mode, a.st_mode);
            QCOMPARE(lire(base), avant);
        }
        QVERIFY(!QFile::exists(chemin("sauvegarde_avant_compactage.mdb")));
    }

    // Opening a database clears what killed copies left in its folder (their temporary files
    // and journals), not a temporary file that another process is still writing.
    void restes_supprimes_a_l_ouverture() {
        const QStringList restes = {"ecole.mdb~carnelis.Ab12Cd", "ecole.mdb~carnelis.Ab12Cd-journal",
                                    "CARNELIS.EXP~carnelis.Xy34Zt"};
        for (const QString& n : restes + QStringList{"autre.mdb~carnelis.En0Cou"}) {
            QFile f(chemin(n));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        }
        QProcess autre;
        autre.start("flock", {chemin("autre.mdb~carnelis.En0Cou"), "sleep", "60"});
        QVERIFY(autre.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] {
            const int fd = ::open(QFile::encodeName(chemin("autre.mdb~carnelis.En0Cou")).constData(), O_RDONLY);
            const bool pris = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
            ::close(fd);
            return pris;
        }));
        QVERIFY(selectionner("ecole.mdb"));
        for (const QString& n : restes) QVERIFY2(!QFile::exists(chemin(n)), qPrintable(n));
        QVERIFY(QFile::exists(chemin("autre.mdb~carnelis.En0Cou")));
        autre.kill();
        autre.waitForFinished();
        QVERIFY(QFile::exists(chemin("ecole.mdb")));
        QCOMPARE(lignes(base), 5);
    }

    // A backup killed before its copy took its name leaves its temporary file in the backup
    // folder: the next start removes it, not one that another process is still writing.
    void restes_de_sauvegarde_supprimes_au_demarrage() {
        const QString cle = chemin("clé");
        QDir().mkdir(cle);
        QVERIFY(selectionner("ecole.mdb"));
        cliquer("Command4");
        accepter_dans(cle);
        QVERIFY(boites->derniere().texte.startsWith("Sauvegarde effectuée..."));
        const QStringList restes = {"sauvegarde.mdb~carnelis.Ab12Cd", "sauvegarde.mdb~carnelis.Ab12Cd-journal"};
        for (const QString& n : restes + QStringList{"sauvegarde.mdb~carnelis.En0Cou"}) {
            QFile f(cle + "/" + n);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        }
        QProcess autre;
        autre.start("flock", {cle + "/sauvegarde.mdb~carnelis.En0Cou", "sleep", "60"});
        QVERIFY(autre.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] {
            const int fd = ::open(QFile::encodeName(cle + "/sauvegarde.mdb~carnelis.En0Cou").constData(), O_RDONLY);
            const bool pris = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
            ::close(fd);
            return pris;
        }));
        programme::arreter_demarrage();
        QVERIFY(demarrer());
        for (const QString& n : restes) QVERIFY2(!QFile::exists(cle + "/" + n), qPrintable(n));
        QVERIFY(QFile::exists(cle + "/sauvegarde.mdb~carnelis.En0Cou"));
        QCOMPARE(lignes(cle + "/sauvegarde.mdb"), 5);
        autre.kill();
        autre.waitForFinished();
    }

    // Compacting the working database while the pupil window shows an edit: the edit is saved
    // before the file is replaced, the window comes back on the compacted file, on its record,
    // and the next "&Valider" is written into it.
    void compactage_de_la_base_de_travail() {
        demarrer_sur(base);
        shell::fenetre_principale()->findChild<QAction*>(QStringLiteral("menuenfantsindex1"))->trigger();
        const QString eleve = QStringLiteral("feuille_élève");
        auto* datEleves = Feuilles::charger(eleve).controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"));
        datEleves->Recordset().MoveNext();
        datEleves->Recordset().MoveNext();
        const QString matricule = Feuilles::charger(eleve).controle<QLineEdit>(QStringLiteral("matricule"))->text();
        auto* nom = Feuilles::charger(eleve).controle<QLineEdit>(QStringLiteral("nom_enfant"));
        nom->setText(QStringLiteral("Avant compactage"));
        Feuilles::charger(QStringLiteral("feuille_choix_base")).afficher();
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        cliquer("Command2");
        verifier_boite(QStringLiteral("Compactage effectué..."), 64);
        QCOMPARE(boites->vues.size(), 2);
        QCOMPARE(lignes(base, "élèves"), 5);
        {
            auto b = db::BaseDonnees::ouvrir(base);
            QCOMPARE(b->requete(QStringLiteral("SELECT count(*) FROM \"élèves\" WHERE \"nom_élève\" = 'Avant compactage'"))
                         .lignes[0][0].toInt(), 1);
        }
        QVERIFY(QFile::exists(chemin("sauvegarde_avant_compactage.mdb")));
        // The window is back, on the compacted file and on its record; the program goes on.
        QVERIFY(Feuilles::estChargee(eleve) && Feuilles::charger(eleve).estAffichee());
        datEleves = Feuilles::charger(eleve).controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"));
        QCOMPARE(datEleves->DatabaseName(), base);
        QCOMPARE(Feuilles::charger(eleve).controle<QLineEdit>(QStringLiteral("matricule"))->text(), matricule);
        QVERIFY(menus_actifs());
        QCOMPARE(shell::ouverture::base_ouverte(), base);
        nom = Feuilles::charger(eleve).controle<QLineEdit>(QStringLiteral("nom_enfant"));
        QCOMPARE(nom->text(), QStringLiteral("Avant compactage"));
        nom->setText(QStringLiteral("Après compactage"));
        boites->effacer();
        Feuilles::charger(eleve).controle<QPushButton>(QStringLiteral("cmdMettreàjour"))->click();
        QVERIFY2(boites->vues.isEmpty(), qPrintable(boites->derniere().texte));
        {
            auto b = db::BaseDonnees::ouvrir(base);
            QCOMPARE(b->requete(QStringLiteral("SELECT count(*) FROM \"élèves\" WHERE \"nom_élève\" = 'Après compactage'"))
                         .lignes[0][0].toInt(), 1);
        }

        // A date the file refuses, and the user goes back to the record: nothing is compacted,
        // the user is told, the window keeps what was typed.
        auto* date = Feuilles::charger(eleve).controle<QLineEdit>(QStringLiteral("date_naissance"));
        date->setText(QStringLiteral("31/02/2020"));
        struct stat avant {};
        QVERIFY(::stat(QFile::encodeName(base).constData(), &avant) == 0);
        Feuilles::charger(QStringLiteral("feuille_choix_base")).afficher();
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        cliquer("Command2");
        QVERIFY2(boites->derniere().texte.startsWith("La base " + base + " est la base de travail"),
                 qPrintable(boites->derniere().texte));
        QVERIFY(boites->derniere().texte.endsWith("Compactage annulé : rien n'a été modifié."));
        QCOMPARE(boites->derniere().style, forms::styles::Avertissement);
        struct stat apres {};
        QVERIFY(::stat(QFile::encodeName(base).constData(), &apres) == 0);
        QCOMPARE(apres.st_ino, avant.st_ino);
        QVERIFY(Feuilles::estChargee(eleve));
        QCOMPARE(Feuilles::charger(eleve).controle<QLineEdit>(QStringLiteral("date_naissance"))->text(),
                 QStringLiteral("31/02/2020"));
    }

    // After compacting the working database, each window comes back in the order it read its
    // records in, on the record it showed, its sort box as it was: pupils opened from the menu
    // (matricule order, which is not their names' order), families sorted by reference.
    void compactage_rend_les_fenetres_comme_elles_etaient() {
        const QStringList noms = {"Zola", "Abel", "Moreau", "Bernard", "Dupont", "Arnaud", "Caron"};
        {
            auto b = db::BaseDonnees::ouvrir(base);
            b->requete(QStringLiteral("DELETE FROM \"élèves\""));
            for (int i = 0; i < noms.size(); ++i) {
                const QString numero = QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
                b->requete(QStringLiteral("INSERT INTO \"élèves\" (matricule, \"nom_élève\") VALUES (?, ?)"), {numero, noms[i]});
                b->requete(QStringLiteral("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\") VALUES (?, ?)"),
                           {numero, noms[noms.size() - 1 - i]});
            }
        }
        demarrer_sur(base);
        const QString eleve = QStringLiteral("feuille_élève"), famille = QStringLiteral("feuille_famille");
        const auto dat = [](const QString& f) { return Feuilles::charger(f).controle<forms::ControleDonnees>("datPrimaryRS"); };
        const auto texte = [](const QString& f, const char* zone) { return Feuilles::charger(f).controle<QLineEdit>(zone)->text(); };
        const auto tri = [](const QString& f) { return Feuilles::charger(f).controle<QComboBox>("Combo1"); };
        shell::fenetre_principale()->findChild<QAction*>(QStringLiteral("menuenfantsindex1"))->trigger();
        dat(eleve)->Recordset().setAbsolutePosition(4);
        QCOMPARE(texte(eleve, "matricule"), QStringLiteral("000005"));
        const QString sourceEleves = dat(eleve)->RecordSource();
        shell::fenetre_principale()->findChild<QAction*>(QStringLiteral("menuenfantsindex2"))->trigger();
        tri(famille)->setCurrentIndex(3);
        emit tri(famille)->activated(3);
        dat(famille)->Recordset().setAbsolutePosition(2);
        QCOMPARE(texte(famille, "Text13"), QStringLiteral("000005"));
        const QString sourceFamilles = dat(famille)->RecordSource();

        Feuilles::charger(QStringLiteral("feuille_choix_base")).afficher();
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        cliquer("Command2");
        verifier_boite(QStringLiteral("Compactage effectué..."), 64);

        QVERIFY(Feuilles::charger(eleve).estAffichee() && Feuilles::charger(famille).estAffichee());
        QCOMPARE(texte(eleve, "matricule"), QStringLiteral("000005"));
        QCOMPARE(dat(eleve)->RecordSource(), sourceEleves);
        QCOMPARE(tri(eleve)->currentIndex(), 0);
        QVERIFY(!Feuilles::charger(eleve).controle<forms::ControleDonnees>("Data1")->DatabaseName().isEmpty());
        QCOMPARE(texte(famille, "Text13"), QStringLiteral("000005"));
        QCOMPARE(dat(famille)->RecordSource(), sourceFamilles);
        QCOMPARE(tri(famille)->currentIndex(), 3);
        dat(famille)->Recordset().MoveNext();
        QCOMPARE(texte(famille, "Text13"), QStringLiteral("000004"));
        dat(eleve)->Recordset().MoveNext();
        QCOMPARE(texte(eleve, "matricule"), QStringLiteral("000006"));
        dat(eleve)->Recordset().MovePrevious();
        Feuilles::charger(eleve).controle<QLineEdit>("nom_enfant")->setText(QStringLiteral("Durand"));
        boites->effacer();
        Feuilles::charger(eleve).controle<QPushButton>(QStringLiteral("cmdMettreàjour"))->click();
        QVERIFY2(boites->vues.isEmpty(), qPrintable(boites->derniere().texte));
        auto b = db::BaseDonnees::ouvrir(base);
        QCOMPARE(b->requete(QStringLiteral("SELECT matricule FROM \"élèves\" WHERE \"nom_élève\" = 'Durand'")).lignes.value(0).value(0).toString(),
                 QStringLiteral("000005"));
    }

    void compactage() {
        cliquer("Command2");
        QCOMPARE(boites->vues.size(), 2);
        QVERIFY(boites->vues[0].texte.startsWith("Info : À mesure que sont modifiées les données"));
        QCOMPARE(boites->vues[0].style, forms::styles::Information);
        verifier_boite("Vous devez sélectionner la base de données que vous souhaitez compacter...", 48);
        // Free space to recover.
        ajouter_eleves(base, 2000, 100);
        db::BaseDonnees::ouvrir(base)->requete(QStringLiteral("DELETE FROM \"élèves\" WHERE matricule >= '000100'"));
        const qint64 avant = QFileInfo(base).size();
        const QByteArray contenu = lire(base);
        auto autrePoste = db::BaseDonnees::ouvrir(base);  // another workstation, open meanwhile
        autrePoste->requete(QStringLiteral("SELECT count(*) FROM \"élèves\""));
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        cliquer("Command2");
        verifier_boite("Compactage effectué...", 64);
        // The file kept is the database as it was, and stays so whatever is written after.
        const QString garde_nom = chemin("sauvegarde_avant_compactage.mdb");
        QVERIFY(!db::copie_sure::meme_fichier(base, garde_nom));
        db::BaseDonnees::ouvrir(base)->requete(QStringLiteral("UPDATE \"élèves\" SET \"nom_élève\" = 'Abélard'"));
        QCOMPARE(lire(garde_nom), contenu);
        // The other workstation still holds the replaced file: its write is refused, not lost there.
        try {
            autrePoste->requete(QStringLiteral("DELETE FROM \"élèves\""));
            QFAIL("write into the replaced file accepted");
        } catch (const Erreur& e) {
            QCOMPARE(e.numero, db::erreurs::FichierRemplace);
        }
        autrePoste.reset();
        QCOMPARE(lire(garde_nom), contenu);
        QVERIFY(QFileInfo(base).size() < avant);
        QCOMPARE(QFileInfo(chemin("sauvegarde_avant_compactage.mdb")).size(), avant);
        QVERIFY(QFile::exists(chemin("compactage.cpg")));
        QCOMPARE(lignes(base), 5);
        QCOMPARE(integrite(base), QStringLiteral("ok"));
        QCOMPARE(label4()->text(), base);
        QCOMPARE(forms::pointeur_souris(), 0);
        QVERIFY(restes(dossier->path()).isEmpty());
        // The kept copy itself, compacted in its own folder, would replace itself: refused.
        const QByteArray garde = lire(chemin("sauvegarde_avant_compactage.mdb"));
        QVERIFY(selectionner("sauvegarde_avant_compactage.mdb"));
        boites->effacer();
        cliquer("Command2");
        QVERIFY(boites->derniere().texte.endsWith("compactage impossible!"));
        QCOMPARE(boites->derniere().style, forms::styles::Avertissement);
        QCOMPARE(lire(chemin("sauvegarde_avant_compactage.mdb")), garde);
        // Left as a second name of the database by a compaction killed before its last rename:
        // the next compaction goes through and keeps a copy of its own again.
        QVERIFY(QFile::remove(garde_nom));
        QCOMPARE(::link(QFile::encodeName(base).constData(), QFile::encodeName(garde_nom).constData()), 0);
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        cliquer("Command2");
        verifier_boite("Compactage effectué...", 64);
        QVERIFY(!db::copie_sure::meme_fichier(base, garde_nom));
        QCOMPARE(lignes(garde_nom), 5);
    }

    void sauvegarde_et_restauration() {
        const QString cle = chemin("clé");
        QDir().mkdir(cle);
        // Without a selected entry in the list.
        label4()->setText(base);
        cliquer("Command4");
        verifier_boite("Sélectionnez le fichier à sauvegarder pour pouvoir poursuivre...", 64);
        QCOMPARE(label4()->text(), QString());

        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        cliquer("Command4");
        QVERIFY(fenetre_chemin().estAffichee());
        QCOMPARE(fenetre_chemin().Caption(), QStringLiteral("Choix du chemin d'accès"));
        QCOMPARE(fenetre_chemin().controle<QLabel>("Label3")->text(), QStringLiteral("Sauvegarde de la base sélectionnée"));
        // The file list only shows what the folder holds.
        auto* fichiers = fenetre_chemin().controle<forms::ListeFichiers>("File1");
        fichiers->setListIndex(0);
        verifier_boite("Sélectionnez uniquement le lecteur et le dossier à utiliser dans la procédure de "
                       "Sauvegarde/Restauration", 48);
        accepter_dans(cle);
        const QString s = cle + "/sauvegarde.mdb";
        verifier_boite("Sauvegarde effectuée...\n\nVous disposez maintenant d'une sauvegarde (" + s + ").", 64);
        QCOMPARE(lignes(s), 5);
        QVERIFY(!Feuilles::charger("feuille_patientez").estAffichee());
        QCOMPARE(forms::pointeur_souris(), 0);

        // Again, answered No: the old backup stays.
        ajouter_eleves(base, 1, 50);
        cliquer("Command4");
        boites->repondre(forms::Non);
        accepter_dans(cle);
        verifier_boite("La base " + s + " existe déjà...\n\nVoulez-vous la remplacer par la sauvegarde?", 36 + 256);
        QCOMPARE(lignes(s), 5);
        QVERIFY(!Feuilles::charger("feuille_patientez").estAffichee());
        QCOMPARE(forms::pointeur_souris(), 0);

        // The restore request shows the folder of the last backup with that backup in its list.
        boites->effacer();
        cliquer("Command5");
        QCOMPARE(fenetre_chemin().controle<forms::ListeFichiers>("File1")->Path(), cle);
        QVERIFY(!fenetre_chemin().controle<forms::ListeFichiers>("File1")->findItems("sauvegarde.mdb", Qt::MatchExactly).isEmpty());
        // Restore from a folder without a backup: the full missing path.
        QCOMPARE(forms::pointeur_souris(), 11);
        accepter_dans(dossier->path());
        verifier_boite("La base " + chemin("sauvegarde.mdb") + " n'existe pas... Restauration impossible!", 64);
        QCOMPARE(forms::pointeur_souris(), 0);
        // Twice from the key: the second replaces the first without asking.
        const QString r = chemin("sauvegarde_restaurée.mdb");
        for (int fois = 0; fois < 2; ++fois) {
            boites->effacer();
            cliquer("Command5");
            accepter_dans(cle);
            QCOMPARE(boites->vues.size(), 1);
            verifier_boite("Restauration effectuée...", 64);
            QCOMPARE(lignes(r), 5);
            db::BaseDonnees::ouvrir(r)->requete(QStringLiteral("DELETE FROM \"élèves\""));
        }
        QVERIFY(!liste()->findItems("sauvegarde_restaurée.mdb", Qt::MatchExactly).isEmpty());
        QCOMPARE(lignes(base), 6);

        // The backup of the folder's own backup onto itself: refused, the file intact.
        const QByteArray contenu = lire(s);
        choix().controle<forms::ListeDossiers>("Dir1")->setPath(cle);
        QVERIFY(selectionner("sauvegarde.mdb"));
        boites->effacer();
        boites->repondre(forms::Oui);
        cliquer("Command4");
        accepter_dans(cle);
        QVERIFY(boites->derniere().texte.endsWith("sauvegarde impossible!"));
        QCOMPARE(lire(s), contenu);
        QVERIFY(restes(cle).isEmpty());
    }

    // Compacting, backing up, restoring and duplicating run away from the windows, which keep
    // being painted (their timers run) while the file is written; what is written is what was
    // written before: the backup is the database rebuilt without its free space, page for page.
    void fenetres_peintes_pendant_les_copies() {
        ajouter_eleves(base, 300, 10);
        const QString cle = chemin("clé");
        QDir().mkdir(cle);
        std::atomic<int> battements{0};
        QTimer metronome;
        metronome.setInterval(5);
        connect(&metronome, &QTimer::timeout, [&] { ++battements; });
        metronome.start();
        // Each file written waits, before it is forced to disk and named, for the windows'
        // thread to go on beating.
        std::atomic<int> ailleurs{0}, battus{0}, ecrits{0};
        db::copie_sure::definir_sonde([&](const QString&) {
            ++ecrits;
            if (QThread::currentThread() != qApp->thread()) ++ailleurs;
            const int avant = battements;
            QElapsedTimer t;
            t.start();
            while (battements < avant + 3 && t.elapsed() < 3000) QThread::msleep(1);
            if (battements >= avant + 3) ++battus;
        });
        struct Fin {
            ~Fin() { db::copie_sure::definir_sonde({}); }
        } fin;
        const auto verifier = [&](const char* operation, const QString& succes) {
            QVERIFY2(boites->derniere().texte.startsWith(succes), qPrintable(boites->derniere().texte));
            QVERIFY2(ecrits > 0 && ailleurs == ecrits && battus == ecrits, operation);
            ecrits = ailleurs = battus = 0;
            QCOMPARE(forms::pointeur_souris(), 0);
        };
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        cliquer("Command2");
        verifier("compactage", "Compactage effectué...");
        QVERIFY(selectionner("ecole.mdb"));
        cliquer("Command4");
        accepter_dans(cle);
        verifier("sauvegarde", "Sauvegarde effectuée...");
        const QString reference = chemin("référence.mdb");
        QVERIFY(QProcess::execute("sqlite3", {base, "VACUUM INTO '" + reference + "'"}) == 0);
        QCOMPARE(lire(cle + "/sauvegarde.mdb"), lire(reference));
        cliquer("Command5");
        accepter_dans(cle);
        verifier("restauration", "Restauration effectuée...");
        QCOMPARE(lignes(chemin("sauvegarde_restaurée.mdb")), 305);
        boites->saisir("double");
        cliquer("cmdAjouter");
        verifier("duplication", "Duplication effectuée...");
        QCOMPARE(lire(chemin("double.mdb")), lire(reference));
        QVERIFY(restes(dossier->path()).isEmpty() && restes(cle).isEmpty());
    }

    // A database with damaged pages: the user is told at opening, which goes on; damage is
    // named damage; the backup copies the file as it is, so that what is left can be kept.
    void base_endommagee() {
        ajouter_eleves(base, 2000, 10);
        const qint64 page = 4096, pages = QFileInfo(base).size() / page;
        {
            QFile f(base);
            QVERIFY(f.open(QIODevice::ReadWrite));
            for (qint64 n : {pages / 2, pages / 2 + 1, pages / 2 + 2}) {
                f.seek(n * page);
                f.write(QByteArray(page, '\xff'));
            }
        }
        const QByteArray endommage = lire(base);
        programme::arreter_demarrage();
        QFile o(chemin("options.ini"));
        QVERIFY(o.open(QIODevice::WriteOnly));
        o.write("0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        o.close();
        boites = &forms::installer_repondeur_scripte();
        QVERIFY(demarrer());
        QCOMPARE(shell::ouverture::base_ouverte(), base);
        QVERIFY(menus_actifs());
        verifier_boite("La base de données " + base + " est endommagée : une partie de son contenu ne peut plus être lue, "
                       "et les fiches, listes ou opérations qui en ont besoin échoueront.\n\nSauvegardez-la sans attendre "
                       "(« Sauvegarder » dans le choix de la base de données) : la sauvegarde en copie le fichier tel "
                       "qu'il est, pour garder tout ce qui peut l'être.", forms::styles::Avertissement);
        QCOMPARE(boites->vues.size(), 1);

        shell::ouverture::commande_ouvrir();
        QVERIFY(selectionner("ecole.mdb"));
        boites->effacer();
        cliquer("Command2");
        QVERIFY2(boites->derniere().texte.startsWith("Le logiciel a rencontré l'erreur : 3049\n\nLe fichier de la base de "
                                                     "données est endommagé"), qPrintable(boites->derniere().texte));
        QVERIFY(!boites->derniere().texte.contains("n'est pas une base de données"));
        const QString cle = chemin("clé");
        QDir().mkdir(cle);
        QVERIFY(selectionner("ecole.mdb"));
        cliquer("Command4");
        accepter_dans(cle);
        verifier_boite("Sauvegarde effectuée...\n\nVous disposez maintenant d'une sauvegarde (" + cle + "/sauvegarde.mdb)."
                       "\n\nLa base sélectionnée est endommagée : la sauvegarde est une copie telle quelle de son "
                       "fichier, page pour page, sans compactage.", 64);
        // Page for page the damaged file (the header's change counter aside).
        QCOMPARE(lire(cle + "/sauvegarde.mdb").mid(100), endommage.mid(100));
        QVERIFY(restes(cle).isEmpty() && restes(dossier->path()).isEmpty());
    }

    void nouveau_dossier() {
        const QString parent = chemin("parent");
        QDir().mkdir(parent);
        QVERIFY(selectionner("ecole.mdb"));
        cliquer("Command4");
        auto* dossiers = fenetre_chemin().controle<forms::ListeDossiers>("Dir1");
        auto* fichiers = fenetre_chemin().controle<forms::ListeFichiers>("File1");
        QCOMPARE(dossiers->Path(), dossier->path());
        // "parent", the last folder of the list, highlighted with the keys but not opened.
        dossiers->setFocus();
        QTest::keyClick(dossiers, Qt::Key_End);
        QCOMPARE(dossiers->currentItem()->text().trimmed(), QStringLiteral("parent"));
        QCOMPARE(dossiers->Path(), dossier->path());
        boites->effacer();
        boites->saisir("  Sauvegardes 2026/ ");
        fenetre_chemin().controle<QPushButton>("Command1")->click();
        QCOMPARE(boites->vues.size(), 1);
        QCOMPARE(boites->vues[0].texte, QStringLiteral("Entrez le nom du nouveau dossier que vous souhaitez créer :"));
        QCOMPARE(boites->vues[0].titre, QStringLiteral("Nouveau dossier"));
        QCOMPARE(boites->vues[0].defaut, QStringLiteral("Nouveau dossier"));
        const QString nouveau = parent + "/Sauvegardes 2026";
        QVERIFY(QFileInfo(nouveau).isDir());
        // The lists show the new folder, open: "&Accepter" would write there.
        QCOMPARE(dossiers->Path(), nouveau);
        QCOMPARE(fichiers->Path(), nouveau);
        QCOMPARE(dossiers->currentItem()->text().trimmed(), QStringLiteral("Sauvegardes 2026"));
        // An empty name (Cancel) is refused in words, and nothing is made.
        boites->annulerSaisie();
        fenetre_chemin().controle<QPushButton>("Command1")->click();
        verifier_boite("Aucun nom n'a été saisi : aucun dossier n'a été créé.", 64);
        QCOMPARE(QDir(parent).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Sauvegardes 2026"});
        QVERIFY(QDir(nouveau).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        // "&Fermer" empties the action and restores the pointer.
        cliquer("Command5");
        fenetre_chemin().controle<QPushButton>("cmdFermer")->click();
        QTRY_VERIFY(!Feuilles::estChargee("feuille_chemin"));
        QCOMPARE(forms::pointeur_souris(), 0);
    }

    void initialisations() {
        demarrer_sur(base);
        auto declencher = [](const char* menu) {
            shell::fenetre_principale()->findChild<QAction*>(QString::fromUtf8(menu))->trigger();
        };
        auto b = db::BaseDonnees::ouvrir(base);
        b->requete(QStringLiteral("INSERT INTO familles (\"référence_famille\") VALUES ('000001')"));
        b->requete(QStringLiteral("INSERT INTO villes (code_postal, \"détails\") VALUES ('75001', 'Paris')"));
        b->requete(QStringLiteral("INSERT INTO \"école\" (\"nom_école\") VALUES ('Jaurès')"));
        b->Close();
        // No at each of the three questions deletes nothing.
        for (int non = 0; non < 3; ++non) {
            boites->effacer();
            for (int i = 0; i < non; ++i) boites->repondre(forms::Oui);
            boites->repondre(forms::Non);
            declencher("menuutilitairesindex2");
            QCOMPARE(boites->vues.size(), non + 1);
            QCOMPARE(lignes(base), 5);
        }
        QCOMPARE(boites->vues[0].texte, QStringLiteral("Voulez-vous initialiser la table des élèves?"));
        QCOMPARE(boites->vues[1].texte, QStringLiteral(
            "Initialisation de la table des élèves : êtes-vous sûr?\n\nCette opération supprime irrémédiablement toutes "
            "les fiches...\n\nIl est fortement conseillé d'effectuer une sauvegarde complète de la base de données avant "
            "d'effectuer une opération d'initialisation..."));
        QCOMPARE(boites->vues[2].texte, QStringLiteral("Dernière demande avant initialisation de la table des élèves..."
                                                       "\n\nConfirmez-vous votre demande?"));
        for (const auto& v : boites->vues)
            QCOMPARE(v.style, forms::styles::OuiNon + forms::styles::Question + forms::styles::DeuxiemeParDefaut);
        // Yes three times, twice: the second run finds the table empty and still succeeds.
        const auto oui_trois_fois = [&] { boites->repondre(forms::Oui).repondre(forms::Oui).repondre(forms::Oui); };
        for (int fois = 0; fois < 2; ++fois) {
            boites->effacer();
            oui_trois_fois();
            declencher("menuutilitairesindex2");
            verifier_boite("Initialisation de la table des élèves effectuée!", 64);
            QCOMPARE(lignes(base), 0);
        }
        // The families and the reference lists stay.
        QCOMPARE(lignes(base, "familles"), 1);
        QCOMPARE(lignes(base, "niveaux") > 0, true);
        oui_trois_fois();
        declencher("menuutilitairesindex3");
        verifier_boite("Initialisation des tables connexes effectuée!", 64);
        QCOMPARE(lignes(base, "villes"), 0);
        QCOMPARE(lignes(base, "école"), 0);
        QCOMPARE(lignes(base, "familles"), 1);
        QVERIFY(lignes(base, "sexe") > 0);
        oui_trois_fois();
        declencher("menuutilitairesindex1");
        verifier_boite("Initialisation de la table des familles effectuée!", 64);
        QCOMPARE(lignes(base, "familles"), 0);
        // The next pupil from the menu is the first one.
        if (!Feuilles::estEnregistree("feuille_élève")) return;
        declencher("menuenfantsindex1");
        QCOMPARE(Feuilles::charger("feuille_élève").controle<QLineEdit>("matricule")->text(), QStringLiteral("000001"));
    }

    // Alt+A, U and Enter open "Initialisation de la table des familles" from the real menus;
    // Enter three more times, each box taking its default, empties nothing.
    void initialisation_entree_quatre_fois() {
        demarrer_sur(base);
        auto b = db::BaseDonnees::ouvrir(base);
        b->requete(QStringLiteral("INSERT INTO familles (\"référence_famille\") VALUES ('000001')"));
        b->Close();
        shell::MDIForm1* principale = shell::fenetre_principale();
        principale->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(principale));
        QTest::keyClick(principale, Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_U);
        QTRY_COMPARE(QApplication::activePopupWidget(),
                     static_cast<QWidget*>(principale->menu(QStringLiteral("menuutilitairesindex0"))));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
        for (int i = 0; i < 3; ++i) {
            QWidget* w = QApplication::focusWidget();
            QTest::keyClick(w ? w : principale, Qt::Key_Return);
        }
        QCOMPARE(boites->vues.size(), 1);
        QCOMPARE(boites->vues[0].texte, QStringLiteral("Voulez-vous initialiser la table des familles?"));
        QCOMPARE(boites->vues[0].style, forms::styles::OuiNon + forms::styles::Question + forms::styles::DeuxiemeParDefaut);
        QCOMPARE(lignes(base, "familles"), 1);
        QCOMPARE(lignes(base), 5);
    }

    // The family shown when the user empties the families himself cannot be saved: the refusal
    // says that the record no longer exists, without blaming another workstation, and what was
    // typed stays on screen.
    void fiche_videe_par_initialisation() {
        demarrer_sur(base);
        auto b = db::BaseDonnees::ouvrir(base);
        b->requete(QStringLiteral("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\") "
                                  "VALUES ('000001', 'MARTIN')"));
        b->Close();
        auto declencher = [](const char* menu) {
            shell::fenetre_principale()->findChild<QAction*>(QString::fromUtf8(menu))->trigger();
        };
        declencher("menuenfantsindex2");
        forms::Feuille& famille = Feuilles::charger("feuille_famille");
        auto* nom = famille.controle<QLineEdit>("nom_responsable_légal");
        QCOMPARE(nom->text(), QStringLiteral("MARTIN"));
        boites->repondre(forms::Oui).repondre(forms::Oui).repondre(forms::Oui);
        declencher("menuutilitairesindex1");
        QCOMPARE(lignes(base, "familles"), 0);
        boites->effacer();
        nom->setText(QStringLiteral("MARTINEAU"));
        famille.controle<QPushButton>("cmdMettreàjour")->click();
        QVERIFY(!boites->vues.isEmpty());
        const QString refus = boites->vues[0].texte;
        QVERIFY2(refus.contains("Cette fiche n'existe plus dans la base de données"), qPrintable(refus));
        QVERIFY2(!refus.contains("un autre poste de travail"), qPrintable(refus));
        QCOMPARE(nom->text(), QStringLiteral("MARTINEAU"));
    }
};

int tester_operations(int argc, char** argv) {
    TestOperations t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_operations.moc"
