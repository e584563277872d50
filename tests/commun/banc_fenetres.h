#pragma once
// What every window test stands on: a working copy of a database (blank template or
// demonstration), the program's windows registered once inside a main window's multi-document
// area (so that focus moves as for the user), the scripted answerer recording every box, and
// the helpers that reach windows and controls by name. Only the test programs that link the
// whole program include it.
#include "commun/base_test.h"
#include "platform/db/base_donnees.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "shell/menus.h"
#include "shell/module1.h"
#include "programme/demarrage.h"
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

namespace banc {

inline void traiter() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// The main window, made and shown on the first call after `enregistrer` has registered the windows.
inline void fenetre_principale(void (*enregistrer)(), QSize taille, bool attendre_active = true) {
    static QMainWindow* principale = nullptr;
    if (principale) return;
    // Every part's tables are known, as in the program, whichever windows the test registers.
    programme::enregistrer_tables();
    enregistrer();
    principale = new QMainWindow;
    auto* zone = new QMdiArea(principale);
    principale->setCentralWidget(zone);
    principale->resize(taille);
    principale->show();
    if (attendre_active && !QTest::qWaitForWindowActive(principale))
        qWarning("main window not active: focus checks may fail");
    forms::Feuilles::definirZone(zone);
}

struct BaseCommune {
    QTemporaryDir dossier;
    QString chemin;
    forms::RepondeurScripte* boites = nullptr;
    ~BaseCommune() {
        forms::Feuilles::toutDecharger();
        traiter();
    }
    // `exemple`: a copy of the demonstration database, else of the blank template; it becomes
    // the program's database and the answerer is installed.
    void preparer(bool exemple) {
        if (exemple) {
            chemin = QDir(dossier.path()).filePath(QStringLiteral("exemple.mdb"));
            QFile::copy(test::chemin_exemple(), chemin);
            QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
        } else {
            chemin = test::copie_modele(dossier);
        }
        Module1::chemin_base = chemin;
        boites = &forms::installer_repondeur_scripte();
    }
    // Native statements on a connection of their own, as another workstation sees the file.
    db::ResultatRequete sql(const QString& instruction, const QVariantList& p = {}) const {
        auto base = db::BaseDonnees::ouvrir(chemin);
        auto r = base->requete(instruction, p);
        base->Close();
        return r;
    }
    QString valeur(const QString& instruction, const QVariantList& p = {}) const {
        return sql(instruction, p).lignes.value(0).value(0).toString();
    }
    int compte(const QString& table, const QString& filtre = QString()) const {
        return valeur("SELECT COUNT(*) FROM \"" + table + "\"" + (filtre.isEmpty() ? QString() : " WHERE " + filtre))
            .toInt();
    }
};

inline void menu(const QString& nom) {
    shell::menus::executer(nom);
    traiter();
}
inline forms::Feuille& feuille(const QString& nom) { return forms::Feuilles::charger(nom); }
template <class T> T* controle(const QString& fenetre, const QString& nom) { return feuille(fenetre).controle<T>(nom); }
inline void cliquer(const QString& fenetre, const QString& bouton) {
    controle<QPushButton>(fenetre, bouton)->click();
    traiter();
}
inline forms::ControleDonnees* dat(const QString& fenetre) {
    return controle<forms::ControleDonnees>(fenetre, QStringLiteral("datPrimaryRS"));
}
inline db::JeuEnregistrements& jeu(const QString& fenetre) { return dat(fenetre)->Recordset(); }
inline QString focalise(const QString& fenetre) {
    QWidget* w = feuille(fenetre).focusWidget();
    return w ? w->objectName() : QString();
}

}  // namespace banc
