// The window registry: one instance per name, load without showing, unload and reload,
// the close box, windows hidden on close, and geometry in twips.
#include "platform/erreur.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/twips.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QtTest>

using namespace forms;

namespace {

struct Compteurs { int chargements = 0, dechargements = 0; };
Compteurs compte;

class FeuilleEssai : public Feuille {
public:
    explicit FeuilleEssai(const QString& nom, bool enfant = true, bool masquee = false)
        : Feuille(nom, enfant), masquee_(masquee) {
        definirTaille(9000, 6000);
        auto* champ = new QLineEdit(this);
        champ->setObjectName("nom_enfant");
    }
    void Form_Load() override {
        ++compte.chargements;
        if (echouer) throw Erreur(5, "chargement");
    }
    void Form_Unload(int& annuler) override {
        ++compte.dechargements;
        annuler = refuser;
    }
    bool masqueeALaFermeture() const override { return masquee_; }
    int refuser = 0;
    static inline bool echouer = false;

private:
    bool masquee_;
};

FeuilleEssai& essai() { return Feuilles::obtenir<FeuilleEssai>("feuille_essai"); }

}  // namespace

class TestFeuilles : public QObject {
    Q_OBJECT
    QMainWindow principale;
    QMdiArea* zone = nullptr;

    static void vider() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private slots:
    void initTestCase() {
        zone = new QMdiArea;
        principale.setCentralWidget(zone);
        principale.resize(1000, 800);
        principale.show();
        QVERIFY(QTest::qWaitForWindowExposed(&principale));
        Feuilles::definirZone(zone);
        Feuilles::enregistrer("feuille_essai", [] { return new FeuilleEssai("feuille_essai"); });
        Feuilles::enregistrer("feuille_options", [] { return new FeuilleEssai("feuille_options", true, true); });
        Feuilles::enregistrer("feuille_splash", [] { return new FeuilleEssai("feuille_splash", false); });
    }
    void init() { compte = {}; FeuilleEssai::echouer = false; }
    void cleanup() { Feuilles::toutDecharger(); vider(); }

    void acces_charge_sans_afficher_une_seule_instance() {
        QVERIFY(!Feuilles::estChargee("feuille_essai"));
        FeuilleEssai& f = essai();
        QCOMPARE(compte.chargements, 1);
        QVERIFY(Feuilles::estChargee("feuille_essai"));
        QVERIFY(!f.estAffichee());
        QCOMPARE(f.objectName(), QString("feuille_essai"));
        QVERIFY(f.sousFenetre());
        QCOMPARE(f.sousFenetre()->mdiArea(), zone);
        QCOMPARE(&essai(), &f);
        QCOMPARE(Feuilles::siChargee("feuille_essai"), &f);
        QCOMPARE(compte.chargements, 1);

        f.afficher();
        QVERIFY(f.estAffichee());
        QCOMPARE(zone->activeSubWindow(), f.sousFenetre());
        QCOMPARE(zone->subWindowList().size(), 1);
    }

    void decharger_puis_recharger() {
        QPointer<FeuilleEssai> premiere = &essai();
        QPointer<QMdiSubWindow> cadre = premiere->sousFenetre();
        premiere->afficher();
        premiere->decharger();
        QCOMPARE(compte.dechargements, 1);
        QVERIFY(!Feuilles::estChargee("feuille_essai"));
        QCOMPARE(Feuilles::siChargee("feuille_essai"), nullptr);
        QVERIFY(premiere && !premiere->estAffichee());  // gone once the event is over
        vider();
        QVERIFY(!premiere);
        QVERIFY(!cadre);
        FeuilleEssai& seconde = essai();
        QCOMPARE(compte.chargements, 2);
        QVERIFY(!seconde.estAffichee());
        QCOMPARE(zone->subWindowList().size(), 1);
    }

    void dechargement_annule() {
        FeuilleEssai& f = essai();
        f.refuser = 1;
        f.decharger();
        QVERIFY(Feuilles::estChargee("feuille_essai"));
        f.afficher();
        QVERIFY(!f.sousFenetre()->close());
        QVERIFY(f.estAffichee());
        QCOMPARE(&essai(), &f);
        f.refuser = 0;
    }

    void case_de_fermeture() {
        FeuilleEssai& f = essai();
        f.afficher();
        QVERIFY(f.sousFenetre()->close());
        QCOMPARE(compte.dechargements, 1);
        QVERIFY(!Feuilles::estChargee("feuille_essai"));
        vider();
        QCOMPARE(zone->subWindowList().size(), 0);

        // Hidden, not unloaded: the same window comes back.
        auto& options = Feuilles::obtenir<FeuilleEssai>("feuille_options");
        options.afficher();
        options.sousFenetre()->close();
        vider();
        QVERIFY(Feuilles::estChargee("feuille_options"));
        QVERIFY(!options.estAffichee());
        QCOMPARE(compte.dechargements, 1);
        QCOMPARE(&Feuilles::charger("feuille_options"), static_cast<Feuille*>(&options));
        options.afficher();
        QVERIFY(options.estAffichee());
    }

    void suppression_de_l_exterieur() {
        delete essai().sousFenetre();
        QVERIFY(!Feuilles::estChargee("feuille_essai"));
        FeuilleEssai* f = &essai();
        delete f;  // the window alone: its empty frame goes too
        QVERIFY(!Feuilles::estChargee("feuille_essai"));
        vider();
        QCOMPARE(zone->subWindowList().size(), 0);
    }

    void noms_inconnus_et_chargement_en_echec() {
        try {
            Feuilles::charger("feuille_inconnue");
            QFAIL("no error");
        } catch (const Erreur& e) {
            QCOMPARE(e.numero, 91);
        }
        FeuilleEssai::echouer = true;
        QVERIFY_THROWS_EXCEPTION(Erreur, essai());
        QVERIFY(!Feuilles::estChargee("feuille_essai"));
        QCOMPARE(zone->subWindowList().size(), 0);
    }

    void geometrie_en_twips() {
        FeuilleEssai& f = essai();
        QVERIFY(f.controle<QLineEdit>("nom_enfant"));
        QVERIFY_THROWS_EXCEPTION(Erreur, f.controle<QLineEdit>("prénom_enfant"));
        QCOMPARE(f.Width(), 9000.0);
        QCOMPARE(f.Height(), 6000.0);
        QCOMPARE(f.sousFenetre()->width(), 600);
        QCOMPARE(f.largeurEcran(), twips(zone->viewport()->width()));
        QCOMPARE(f.hauteurEcran(), twips(zone->viewport()->height()));
        // Values that are no whole number of pixels read back as set while nothing moved.
        f.setTop(760);
        f.setLeft(-1000);
        QCOMPARE(f.Top(), 760.0);
        QCOMPARE(f.Left(), -1000.0);
        QCOMPARE(f.sousFenetre()->pos(), QPoint(-66, 50));
        f.setTop(-240);
        QCOMPARE(f.sousFenetre()->y(), -16);
        f.sousFenetre()->move(10, 20);
        QCOMPARE(f.Top(), 300.0);
        QCOMPARE(f.Left(), 150.0);
        f.setCaption("Table des sexes");
        QCOMPARE(f.Caption(), QString("Table des sexes"));
        QCOMPARE(f.sousFenetre()->windowTitle(), QString("Table des sexes"));
    }

    void fenetre_de_premier_niveau() {
        auto& s = Feuilles::obtenir<FeuilleEssai>("feuille_splash");
        QVERIFY(!s.sousFenetre());
        QVERIFY(s.isWindow());
        const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(s.largeurEcran(), twips(ecran.width()));
        QCOMPARE(s.hauteurEcran(), twips(ecran.height()));
        s.setTop(1500);
        QCOMPARE(s.pos().y(), 100);
        s.afficher();
        QVERIFY(s.estAffichee());
    }

    void tout_decharger() {
        essai().afficher();
        Feuilles::charger("feuille_options");
        Feuilles::toutDecharger();
        QCOMPARE(compte.dechargements, 2);
        QVERIFY(!Feuilles::estChargee("feuille_essai"));
        QVERIFY(!Feuilles::estChargee("feuille_options"));
        QCOMPARE(zone->subWindowList().size(), 0);
    }
};

QObject* suite_feuilles() { return new TestFeuilles; }

#include "test_feuilles.moc"
