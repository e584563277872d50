// Message and input boxes, the error boxes of the conventions, and the mouse pointer.
#include "platform/forms/controle_donnees.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/application.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/reactions.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace forms;

namespace {

struct BoiteLue {
    QStringList boutons;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QString titre, texte;
    Qt::TextFormat format = Qt::AutoText;
};

// Waits for the real box to come up, reads it as the user sees it, then acts on it.
void quand_boite(const std::function<void(QWidget*)>& agir) {
    auto* minuterie = new QTimer;
    minuterie->setInterval(10);
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, agir] {
        if (QWidget* b = QApplication::activeModalWidget()) {
            minuterie->stop();
            minuterie->deleteLater();
            agir(b);
        }
    });
    minuterie->start();
}

}  // namespace

class TestBoites : public QObject {
    Q_OBJECT
private slots:
    void init() { installer_repondeur(nullptr); }
    void cleanupTestCase() { installer_repondeur(nullptr); definir_pointeur_souris(0); }

    void styles_boutons_icones_reponses_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("boutons");
        QTest::addColumn<int>("icone");
        QTest::addColumn<QString>("clic");
        QTest::addColumn<int>("reponse");
        QTest::newRow("0") << 0 << QStringList{"OK"} << int(QMessageBox::NoIcon) << "OK" << 1;
        QTest::newRow("1") << 1 << QStringList{"OK", "Annuler"} << int(QMessageBox::NoIcon) << "Annuler" << 2;
        QTest::newRow("20") << 20 << QStringList{"Oui", "Non"} << int(QMessageBox::Critical) << "Oui" << 6;
        QTest::newRow("35") << 35 << QStringList{"Oui", "Non", "Annuler"} << int(QMessageBox::Question) << "Annuler" << 2;
        QTest::newRow("36") << 36 << QStringList{"Oui", "Non"} << int(QMessageBox::Question) << "Non" << 7;
        QTest::newRow("64") << 64 << QStringList{"OK"} << int(QMessageBox::Information) << "OK" << 1;
    }
    void styles_boutons_icones_reponses() {
        QFETCH(int, style);
        QFETCH(QStringList, boutons);
        QFETCH(int, icone);
        QFETCH(QString, clic);
        QFETCH(int, reponse);
        BoiteLue lue;
        quand_boite([&](QWidget* w) {
            auto* b = qobject_cast<QMessageBox*>(w);
            QVERIFY(b);
            for (QAbstractButton* bouton : b->buttons()) lue.boutons << bouton->text().remove('&');
            lue.icone = b->icon();
            lue.titre = b->windowTitle();
            lue.texte = b->text();
            lue.format = b->textFormat();
            for (QAbstractButton* bouton : b->buttons())
                if (bouton->text().remove('&') == clic) bouton->click();
        });
        QCOMPARE(boite_message("Première ligne\n\n<b>deuxième</b>", style), reponse);
        lue.boutons.sort();
        boutons.sort();
        QCOMPARE(lue.boutons, boutons);
        QCOMPARE(int(lue.icone), icone);
        QCOMPARE(lue.titre, QString("Carnelis v2"));
        QCOMPARE(lue.texte, QString("Première ligne\n\n<b>deuxième</b>"));
        QCOMPARE(lue.format, Qt::PlainText);  // shown as typed, never as markup
    }

    // A question answers to its letters, O for Yes and N for No; the box gone, the field that
    // had the keyboard has it again.
    void lettres_et_focus_rendu() {
        QWidget fenetre;
        auto* champ = new QLineEdit(&fenetre);
        auto* autre = new QLineEdit(&fenetre);
        autre->move(0, 40);
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
        champ->setFocus();
        for (const auto& [touche, reponse] : {std::pair{Qt::Key_N, int(Non)}, std::pair{Qt::Key_O, int(Oui)}}) {
            quand_boite([touche = touche](QWidget* w) { QTest::keyClick(w, touche); });
            QCOMPARE(boite_message("Voulez-vous continuer ?", styles::OuiNon + styles::Question), reponse);
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(champ));
        }
    }

    void saisie_reelle_et_annulation() {
        quand_boite([](QWidget* w) {
            auto* d = qobject_cast<QInputDialog*>(w);
            QVERIFY(d);
            QCOMPARE(d->labelText(), QString("Nom ?"));
            QCOMPARE(d->textValue(), QString("Dupont"));
            QCOMPARE(d->windowTitle(), QString("Positionnement sur une fiche"));
            d->setTextValue("D'Artagnan");
            d->accept();
        });
        QCOMPARE(boite_saisie("Nom ?", "Positionnement sur une fiche", "Dupont"), QString("D'Artagnan"));
        quand_boite([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
        QCOMPARE(boite_saisie("Nom ?", titre_application(), "Dupont"), QString());
    }

    void repondeur_scripte() {
        RepondeurScripte& r = installer_repondeur_scripte();
        r.saisir("000012").repondre(Non).annulerSaisie();
        // Each kind of box takes the next answer of its kind.
        QCOMPARE(boite_message("Frère ou soeur ?", styles::OuiNonAnnuler + styles::Question), Non);
        QCOMPARE(boite_saisie("Matricule ?"), QString("000012"));
        QCOMPARE(boite_saisie("Nom ?", "Recherche", "x"), QString());
        // Script exhausted: first button, or the input box's default.
        QCOMPARE(boite_message("a", styles::OuiNon), Oui);
        QCOMPARE(boite_message("b", styles::ReessayerAnnuler), Reessayer);
        QCOMPARE(boite_message("c", styles::AbandonnerReessayerIgnorer), Abandonner);
        QCOMPARE(boite_message("d", styles::Information), OK);
        QCOMPARE(boite_saisie("e", "t", "défaut"), QString("défaut"));
        QCOMPARE(r.vues.size(), 8);
        QCOMPARE(r.vues[0].texte, QString("Frère ou soeur ?"));
        QCOMPARE(r.vues[0].style, styles::OuiNonAnnuler + styles::Question);
        QCOMPARE(r.vues[0].titre, QString("Carnelis v2"));
        QVERIFY(r.vues[1].saisie);
        QCOMPARE(r.vues[2].titre, QString("Recherche"));
        QCOMPARE(r.vues[2].defaut, QString("x"));
    }

    void boites_d_erreur() {
        RepondeurScripte& r = installer_repondeur_scripte();
        definir_pointeur_souris(Sablier);
        boite_erreur(Erreur(3021, "Aucun enregistrement en cours."));
        QCOMPARE(r.derniere().texte, QString("Le logiciel a rencontré l'erreur : 3021\n\nAucun enregistrement en cours."));
        QCOMPARE(r.derniere().style, styles::Avertissement);
        QCOMPARE(r.derniere().titre, QString("Carnelis v2"));
        QCOMPARE(pointeur_souris(), 0);
        boite_erreur(53, "Fichier introuvable.", Prefixe::Donnees);
        QCOMPARE(r.derniere().texte,
                 QString("Le gestionnaire d'erreurs des données a rencontré l'erreur : 53\n\nFichier introuvable."));
        boite_erreur(76, "Chemin d'accès introuvable.", Prefixe::ListesFichiers);
        QCOMPARE(r.derniere().texte,
                 QString("Le logiciel des données a rencontré l'erreur : 76\n\nChemin d'accès introuvable."));

        r.effacer();
        definir_pointeur_souris(Sablier);
        bool suite = false;
        QVERIFY(!pieger([&] { throw Erreur(3022, "Doublon."); suite = true; }));
        QVERIFY(!suite);
        QCOMPARE(r.derniere().texte, QString("Le logiciel a rencontré l'erreur : 3022\n\nDoublon."));
        QCOMPARE(pointeur_souris(), 0);
        QVERIFY(!pieger([] { throw std::runtime_error("panne"); }, Prefixe::Donnees));
        QCOMPARE(r.derniere().texte,
                 QString("Le gestionnaire d'erreurs des données a rencontré l'erreur : 5\n\npanne"));
        r.effacer();
        QVERIFY(!ignorer_erreur([] { throw Erreur(5, "x"); }));
        QVERIFY(r.vues.isEmpty());

        boite_erreur_donnees(3021);
        QCOMPARE(r.derniere().texte, "Data error event hit err:" + db::texte_erreur(3021));
        QCOMPARE(r.derniere().style, styles::OKSeul);
    }

    // A failing reaction to a real signal is told in the general error box, whatever it throws, and
    // the program goes on: the same button reacts again (clicked from code, where no event loop
    // stands between the signal and the caller). What no reaction caught (an event's own handler,
    // a slot connected without the helper and run later) is caught by the application.
    void reactions_qui_echouent() {
        RepondeurScripte& r = installer_repondeur_scripte();
        QWidget fenetre;
        auto* b = new QPushButton("Valider", &fenetre);
        int essais = 0;
        std::function<void()> corps;
        relier(b, &QPushButton::clicked, &fenetre, [&] {
            ++essais;
            corps();
        });
        corps = [] { throw std::out_of_range("indice 7 hors limites"); };
        b->click();
        QCOMPARE(r.vues.size(), 1);
        QCOMPARE(r.derniere().texte, QString("Le logiciel a rencontré l'erreur : 5\n\nindice 7 hors limites"));
        QCOMPARE(r.derniere().style, styles::Avertissement);
        QCOMPARE(r.derniere().titre, QString("Carnelis v2"));
        corps = [] { throw Erreur(3021, "Aucun enregistrement en cours."); };
        b->click();
        QCOMPARE(r.derniere().texte,
                 QString("Le logiciel a rencontré l'erreur : 3021\n\nAucun enregistrement en cours."));
        corps = [] {};
        b->click();
        QCOMPARE(essais, 3);
        QCOMPARE(r.vues.size(), 2);

        QVERIFY(dynamic_cast<forms::Application*>(qApp));
        struct Fragile : QObject {
            bool event(QEvent* e) override {
                if (e->type() == QEvent::User) throw Erreur(3022, "Doublon.");
                return QObject::event(e);
            }
        } fragile;
        QCoreApplication::postEvent(&fragile, new QEvent(QEvent::User));
        QTimer::singleShot(0, &fragile, [] { throw std::runtime_error("panne"); });
        QTRY_COMPARE(r.vues.size(), 4);
        QCOMPARE(r.vues[2].texte, QString("Le logiciel a rencontré l'erreur : 3022\n\nDoublon."));
        QCOMPARE(r.vues[3].texte, QString("Le logiciel a rencontré l'erreur : 5\n\npanne"));
    }

    void erreurs_des_controles_de_donnees() {
        // A data control's error left at response 1 is shown by this layer.
        RepondeurScripte& r = installer_repondeur_scripte();
        QVERIFY(bool(forms::ControleDonnees::afficheurErreur));
        forms::ControleDonnees::afficheurErreur(3163, "Trop long.");
        QCOMPARE(r.derniere().texte, QString("Trop long."));
        QCOMPARE(r.derniere().style, styles::Avertissement);
    }

    void pointeur() {
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        definir_pointeur_souris(Sablier);
        definir_pointeur_souris(Sablier);
        QCOMPARE(pointeur_souris(), 11);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        definir_pointeur_souris(PointeurDefaut);
        QCOMPARE(pointeur_souris(), 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);  // never two overrides stacked
        definir_pointeur_souris(PointeurDefaut);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
};

QObject* suite_boites() { return new TestBoites; }

#include "test_boites.moc"
