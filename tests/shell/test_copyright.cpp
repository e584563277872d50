// The about window and its system-information button over a test key store.
#include "essais.h"
#include "commun/programme.h"
#include "platform/registry/registre.h"
#include "shell/feuille_copyright.h"
#include <QLabel>
#include <QTabWidget>

namespace {

const QString Indisponible = QStringLiteral("Les informations système ne sont pas disponibles actuellement");
const QString CleOutil = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString CleDossier = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

forms::Feuille& fenetre() { return forms::Feuilles::charger(QStringLiteral("feuille_copyright")); }
QString texte(const char* nom) { return fenetre().controle<QLabel>(QString::fromUtf8(nom))->text(); }

class EssaiCopyright : public QObject {
    Q_OBJECT
    QTemporaryDir dossier;

    void magasin(const QByteArray& contenu) {
        QFile f(registre::fichier());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu);
    }

private slots:
    void initTestCase() {
        // A folder holding the tool under the name the folder key expects.
        QDir().mkpath(dossier.filePath(QStringLiteral("outils")));
        QVERIFY(QFile::copy(QStringLiteral("/bin/true"), dossier.filePath(QStringLiteral("outils/MSINFO32.EXE"))));
    }
    void init() { registre::definir_fichier(dossier.filePath(QStringLiteral("registre"))); }
    void cleanup() { QFile::remove(registre::fichier()); }

    // Shown from the menu on its first tab; "&Ok" hides it with its picture, which stays
    // hidden when the window comes back.
    void fenetre_et_ok() {
        essai::Programme p;
        auto* onglets = fenetre().controle<QTabWidget>(QStringLiteral("SSTab1"));
        onglets->setCurrentIndex(1);
        p.declencher(QStringLiteral("menuaideindex1"));
        QVERIFY(fenetre().estAffichee());
        QCOMPARE(onglets->currentIndex(), 0);
        QCOMPARE(onglets->tabText(0), QStringLiteral("Le logiciel"));
        QCOMPARE(fenetre().Caption(), QStringLiteral("À propos du logiciel : Carnelis v2"));
        QCOMPARE(texte("lblTitle"), QStringLiteral("Carnelis v2"));
        QCOMPARE(texte("lblVersion"), QStringLiteral("Version 2.2.9"));
        QVERIFY(texte("Label2").contains(QStringLiteral("Qt 6.")));
        QVERIFY(texte("Label5").contains(QStringLiteral("SQLite 3.")));
        forms::Feuille* avant = &fenetre();
        auto* image = fenetre().controle<QLabel>(QStringLiteral("Image1"));
        QVERIFY(!image->isHidden());
        fenetre().controle<QPushButton>(QStringLiteral("cmdOK"))->click();
        QVERIFY(!fenetre().estAffichee());
        QVERIFY(image->isHidden());
        p.declencher(QStringLiteral("menuaideindex1"));
        QCOMPARE(&fenetre(), avant);
        QVERIFY(fenetre().estAffichee());
        QVERIFY(image->isHidden());
        QVERIFY(p.boites->vues.isEmpty());
    }

    // The tool the store names is started; with none, or one that does not start, the user
    // is told. The folder key is read only when the first value is absent.
    void infos_systeme_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<bool>("lance");
        const QByteArray dossierOutil = "[HKEY_LOCAL_MACHINE\\" + CleDossier.toUtf8() + "]\nMSINFO=sz:" +
                                        dossier.filePath(QStringLiteral("outils")).toUtf8() + "\n";
        QTest::newRow("magasin vide") << QByteArray() << false;
        QTest::newRow("outil nommé") << "[HKEY_LOCAL_MACHINE\\" + CleOutil.toUtf8() + "]\nPATH=sz:/bin/true\n" << true;
        QTest::newRow("outil absent") << "[HKEY_LOCAL_MACHINE\\" + CleOutil.toUtf8() + "]\nPATH=sz:/nulle/part\n" + dossierOutil
                                      << false;
        QTest::newRow("dossier de l'outil") << dossierOutil << true;
        QTest::newRow("dossier sans outil")
            << "[HKEY_LOCAL_MACHINE\\" + CleDossier.toUtf8() + "]\nMSINFO=sz:" + dossier.path().toUtf8() + "\n" << false;
    }
    void infos_systeme() {
        QFETCH(QByteArray, contenu);
        QFETCH(bool, lance);
        magasin(contenu);
        essai::Programme p;
        p.declencher(QStringLiteral("menuaideindex1"));
        fenetre().controle<QPushButton>(QStringLiteral("cmdSysInfo"))->click();
        if (lance) {
            QVERIFY(p.boites->vues.isEmpty());
            return;
        }
        QCOMPARE(p.boites->vues.size(), 1);
        QCOMPARE(p.boites->vues[0].texte, Indisponible);
        QCOMPARE(p.boites->vues[0].style, forms::styles::OKSeul);
        QCOMPARE(p.boites->vues[0].titre, QStringLiteral("Carnelis v2"));
    }

    // The splash names the system the program runs on.
    void plateforme_de_l_accueil() {
        programme::preparer_demarrage();
        auto* plateforme = forms::Feuilles::charger(QStringLiteral("feuille_accueil")).controle<QLabel>(QStringLiteral("lblPlatform"));
        QCOMPARE(plateforme->text(), QSysInfo::prettyProductName());
        programme::arreter_demarrage();
    }

    // At start, a store that names no tool takes the first one found on the PATH.
    void outil_trouve_au_demarrage() {
        const QString bin = dossier.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        QFile::copy(QStringLiteral("/bin/true"), bin + QStringLiteral("/hardinfo"));
        const QByteArray chemin = qgetenv("PATH");
        qputenv("PATH", bin.toUtf8());
        shell::noter_outil_infos_systeme();
        qputenv("PATH", chemin);
        QString outil;
        QVERIFY(registre::lire_valeur_registre(registre::Racine::HKEY_LOCAL_MACHINE, CleOutil, QStringLiteral("PATH"), outil));
        QCOMPARE(outil, bin + QStringLiteral("/hardinfo"));
    }
};

}  // namespace

QObject* essai_copyright() { return new EssaiCopyright; }

#include "test_copyright.moc"
