#pragma once
// The program started as a user starts it, in a temporary program folder whose options reopen
// a fresh copy of the blank template; the scripted answerer records every box.
#include "commun/base_test.h"
#include "platform/db/base_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "programme/demarrage.h"
#include "shell/mdiform1.h"
#include "shell/module1.h"
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace essai {

struct Programme {
    QTemporaryDir dossier;
    QString origine = QDir::currentPath();
    QString base;
    forms::RepondeurScripte* boites = nullptr;

    // `code`: the access code stored in the database before the program starts.
    explicit Programme(const QString& code = {}) {
        base = test::copie_modele(dossier);
        donner_code(code);
        QDir::setCurrent(dossier.path());
        QFile options(dossier.filePath(QStringLiteral("options.ini")));
        if (options.open(QIODevice::WriteOnly))
            options.write("0\r\n0\r\n1\r\n0\r\n\"" + base.toUtf8() + "\"\r\n");
        options.close();
        lancer();
    }
    ~Programme() {
        programme::arreter_demarrage();
        QDir::setCurrent(origine);
    }
    // Starts the program (again): the splash dismissed, the database of the options reopened.
    void lancer() {
        boites = &forms::installer_repondeur_scripte();
        programme::preparer_demarrage();
        QTest::keyClick(forms::Feuilles::siChargee(QStringLiteral("feuille_accueil")), Qt::Key_A);
        QVERIFY(QTest::qWaitFor([] { return shell::fenetre_principale()->isVisible(); }));
    }
    void relancer() {
        programme::arreter_demarrage();
        lancer();
    }
    // Is a database open (its working menus enabled)?
    static bool base_ouverte() {
        return shell::fenetre_principale()->menu(QStringLiteral("menuparamètresindex0"))->menuAction()->isEnabled();
    }

    void donner_code(const QString& code) {
        auto b = db::BaseDonnees::ouvrir(base);
        b->requete(QStringLiteral("DELETE FROM passe"));
        b->requete(QStringLiteral("INSERT INTO passe (passe) VALUES (?)"), {code});
        b->Close();
    }
    QStringList codes_stockes() {
        auto b = db::BaseDonnees::ouvrir(base);
        QStringList r;
        for (const auto& l : b->requete(QStringLiteral("SELECT passe FROM passe")).lignes) r << l[0].toString();
        b->Close();
        return r;
    }

    static void declencher(const QString& menu) {
        shell::fenetre_principale()->findChild<QAction*>(menu)->trigger();
    }
};

// Acts on the login window as soon as it is up (it runs its own modal loop).
inline void au_login(std::function<void(QDialog*)> geste) {
    auto* minuterie = new QTimer;
    minuterie->setInterval(10);
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, geste] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("feuille_login") && w->isVisible()) {
                minuterie->stop();
                minuterie->deleteLater();
                geste(static_cast<QDialog*>(w));
                return;
            }
        }
    });
    minuterie->start();
}

inline void taper_code(QDialog* login, const QString& code) {
    login->findChild<QLineEdit*>(QStringLiteral("accès_tentavive"))->setText(code);
    login->findChild<QPushButton*>(QStringLiteral("cmdMettreàjour"))->click();
}

// Types `code` in the login window as soon as it is up.
inline void au_login(const QString& code) {
    au_login([code](QDialog* login) { taper_code(login, code); });
}

}  // namespace essai
