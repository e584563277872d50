#pragma once
// What every settings test stands on: a fresh copy of the blank template as the working
// database, the windows registered inside a main window's multi-document area (so that focus
// moves as for the user), and the scripted answerer recording every box.
#include "commun/base_test.h"
#include "platform/db/base_donnees.h"
#include "platform/db/controle_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/grille_donnees.h"
#include "settings/enregistrement_settings.h"
#include "shell/menus.h"
#include "shell/module1.h"
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

struct Base {
    QTemporaryDir dossier;
    QString chemin = test::copie_modele(dossier);
    forms::RepondeurScripte* boites = nullptr;
    Base() {
        static QMainWindow* principale = nullptr;
        if (!principale) {
            enregistrer_feuilles_settings();
            principale = new QMainWindow;
            auto* zone = new QMdiArea(principale);
            principale->setCentralWidget(zone);
            principale->resize(1200, 900);
            principale->show();
            if (!QTest::qWaitForWindowActive(principale)) qWarning("main window not active: focus checks may fail");
            forms::Feuilles::definirZone(zone);
        }
        Module1::chemin_base = chemin;
        Module1::code_appelant = 0;
        boites = &forms::installer_repondeur_scripte();
    }
    ~Base() {
        forms::Feuilles::toutDecharger();
        traiter();
    }
    // Native statements on a connection of their own, as another workstation sees the file.
    db::ResultatRequete sql(const QString& instruction) const {
        auto base = db::BaseDonnees::ouvrir(chemin);
        auto r = base->requete(instruction);
        base->Close();
        return r;
    }
    QString valeur(const QString& instruction) const { return sql(instruction).lignes.value(0).value(0).toString(); }
    int compte(const QString& table) const { return valeur("SELECT COUNT(*) FROM \"" + table + "\"").toInt(); }
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
inline db::ControleDonnees* dat(const QString& fenetre) {
    return controle<db::ControleDonnees>(fenetre, QStringLiteral("datPrimaryRS"));
}
inline db::JeuEnregistrements& jeu(const QString& fenetre) { return dat(fenetre)->Recordset(); }
inline QString texte(const QString& fenetre, const QString& zone) { return controle<QLineEdit>(fenetre, zone)->text(); }
inline QString focalise(const QString& fenetre) {
    QWidget* w = feuille(fenetre).focusWidget();
    return w ? w->objectName() : QString();
}
inline bool chargee(const QString& fenetre) { return forms::Feuilles::estChargee(fenetre); }
inline bool accepter_visible(const QString& selecteur) {
    return !controle<QPushButton>(selecteur, QStringLiteral("bouton_accepter"))->isHidden();
}

}  // namespace banc
