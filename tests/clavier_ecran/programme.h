#pragma once
// The whole program started as the user starts it (splash dismissed, main window shown at
// 1024 x 768 less a window manager's title bar), on a copy of the demonstration database.
#include "commun/base_test.h"
#include "programme/demarrage.h"
#include "shell/mdiform1.h"
#include "shell/menus.h"
#include "shell/module1.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include <QApplication>
#include <QtTest>

namespace programme {

inline void traiter() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

inline shell::MDIForm1& principale() { return *shell::fenetre_principale(); }

struct Programme {
    QTemporaryDir dossier;
    QString origine;
    QString base;
    forms::RepondeurScripte* boites = nullptr;

    // Returns false (the test fails) when the program did not come up.
    bool demarrer() {
        origine = QDir::currentPath();
        QDir::setCurrent(dossier.path());
        boites = &forms::installer_repondeur_scripte();
        programme::preparer_demarrage();
        forms::Feuille* accueil = forms::Feuilles::siChargee(QStringLiteral("feuille_accueil"));
        if (!accueil) return false;
        QTest::keyClick(accueil, Qt::Key_A);
        if (!QTest::qWaitFor([] { return principale().isVisible(); })) return false;
        principale().showNormal();
        principale().resize(1024, 768 - 30);
        principale().move(0, 0);
        traiter();
        base = QDir(dossier.path()).filePath(QStringLiteral("exemple.mdb"));
        QFile::copy(test::chemin_exemple(), base);
        QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner);
        test::dossier_programme_a_part(dossier);
        principale().activateWindow();  // with no window manager (a bare virtual display) nobody else does
        return QTest::qWaitForWindowActive(&principale());
    }

    // The demonstration database is the working one, the working menus on, the templates found.
    void ouvrirBase() {
        Module1::chemin_base = base;
        Module1::chemin_programme = dossier.path() + '/';  // with its copies of the report templates
        Module1::activer_menus();
    }

    void arreter() {
        programme::arreter_demarrage();
        QDir::setCurrent(origine);
    }
};

inline void menu(const QString& nom) {
    shell::menus::executer(nom);
    traiter();
}

}  // namespace programme
