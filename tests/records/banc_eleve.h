#pragma once
// What every pupil-window test stands on: a fresh copy of the blank template as the working
// database, the program's windows registered inside a multi-document area (so that focus
// moves as for the user), and the scripted answerer recording every box.
#include "commun/base_test.h"
#include "platform/db/base_donnees.h"
#include "platform/db/controle_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "records/enregistrement_records.h"
#include "records/feuille_eleve.h"
#include "settings/enregistrement_settings.h"
#include "shell/menus.h"
#include "shell/module1.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace banc {

const QString Eleve = QStringLiteral("feuille_élève");
const QString MenuEleves = QStringLiteral("menuenfantsindex1");

inline void traiter() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

struct Base {
    QTemporaryDir dossier;
    QString chemin;
    forms::RepondeurScripte* boites = nullptr;
    explicit Base(bool exemple = false) {
        static QMainWindow* principale = nullptr;
        if (!principale) {
            enregistrer_feuilles_settings();
            enregistrer_feuilles_records();
            principale = new QMainWindow;
            auto* zone = new QMdiArea(principale);
            principale->setCentralWidget(zone);
            principale->resize(1024, 768);
            principale->show();
            if (!QTest::qWaitForWindowActive(principale)) qWarning("main window not active: focus checks may fail");
            forms::Feuilles::definirZone(zone);
        }
        if (exemple) {
            chemin = QDir(dossier.path()).filePath("exemple.mdb");
            QFile::copy(test::chemin_exemple(), chemin);
            QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
        } else {
            chemin = test::copie_modele(dossier);
        }
        Module1::chemin_base = chemin;
        Module1::code_appelant = 0;
        boites = &forms::installer_repondeur_scripte();
    }
    ~Base() {
        forms::Feuilles::toutDecharger();
        traiter();
    }
    db::ResultatRequete sql(const QString& instruction, const QVariantList& p = {}) const {
        auto base = db::BaseDonnees::ouvrir(chemin);
        auto r = base->requete(instruction, p);
        base->Close();
        return r;
    }
    QString valeur(const QString& instruction, const QVariantList& p = {}) const {
        return sql(instruction, p).lignes.value(0).value(0).toString();
    }
    // Pupils by matricule and name: "000001:Martin".
    void eleves(const QStringList& lignes) const {
        for (const QString& l : lignes) {
            const QStringList p = l.split(':');
            sql("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"prénom_élève\") VALUES (?, ?, ?)",
                {p.value(0), p.value(1), p.value(2)});
        }
    }
};

inline void menu(const QString& nom) {
    shell::menus::executer(nom);
    traiter();
}
inline eleve::FeuilleEleve& fenetre() { return forms::Feuilles::obtenir<eleve::FeuilleEleve>(Eleve); }
template <class T = QWidget> T* controle(const QString& nom) { return fenetre().controle<T>(nom); }
inline QLineEdit* zone(const QString& nom) { return controle<QLineEdit>(nom); }
inline QString texte(const QString& nom) { return zone(nom)->text(); }
inline void cliquer(const QString& nom, const QString& feuille = Eleve) {
    forms::Feuilles::charger(feuille).controle<QPushButton>(nom)->click();
    traiter();
}
inline db::JeuEnregistrements& jeu() { return controle<db::ControleDonnees>("datPrimaryRS")->Recordset(); }
inline int onglet() { return controle<QTabWidget>("SSTab1")->currentIndex(); }
// Gives the focus as a click would, then takes it away to another field.
inline void entrer(const QString& nom) {
    controle(nom)->setFocus(Qt::MouseFocusReason);
    traiter();
}

}  // namespace banc
