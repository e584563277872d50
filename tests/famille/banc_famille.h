#pragma once
// What every family-window test stands on: a fresh copy of the blank template (or of the
// demonstration database) as the working database, the windows registered inside a main
// window's multi-document area, and the scripted answerer recording every box.
#include "commun/base_test.h"
#include "platform/db/base_donnees.h"
#include "platform/db/controle_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "records/enregistrement_records.h"
#include "settings/enregistrement_settings.h"
#include "shell/menus.h"
#include "shell/module1.h"
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace banc {

const QString Famille = QStringLiteral("feuille_famille");
const QString ChoixFamille = QStringLiteral("feuille_choix_famille");
const QString Eleve = QStringLiteral("feuille_élève");
const QString MenuFamilles = QStringLiteral("menuenfantsindex2");

inline void traiter() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

inline void enregistrer_tout();

struct Base {
    QTemporaryDir dossier;
    QString chemin;
    forms::RepondeurScripte* boites = nullptr;
    explicit Base(bool exemple = false) {
        static QMainWindow* principale = nullptr;
        if (!principale) {
            enregistrer_tout();
            principale = new QMainWindow;
            auto* zone = new QMdiArea(principale);
            principale->setCentralWidget(zone);
            principale->resize(1024, 768);
            principale->show();
            if (!QTest::qWaitForWindowActive(principale)) qWarning("main window not active: focus checks may fail");
            forms::Feuilles::definirZone(zone);
        }
        if (exemple) {
            chemin = QDir(dossier.path()).filePath(QStringLiteral("exemple.mdb"));
            QFile::copy(test::chemin_exemple(), chemin);
            QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
        } else {
            chemin = test::copie_modele(dossier);
        }
        Module1::chemin_base = chemin;
        Module1::chemin_programme = QStringLiteral(CARNELIS_DOSSIER_PROGRAMME) + QLatin1Char('/');
        Module1::code_appelant = 0;
        boites = &forms::installer_repondeur_scripte();
    }
    ~Base() {
        forms::Feuilles::toutDecharger();
        traiter();
    }
    db::ResultatRequete sql(const QString& instruction) const {
        auto base = db::BaseDonnees::ouvrir(chemin);
        auto r = base->requete(instruction);
        base->Close();
        return r;
    }
    QString valeur(const QString& instruction) const { return sql(instruction).lignes.value(0).value(0).toString(); }
    int compte(const QString& table, const QString& filtre = QString()) const {
        return valeur("SELECT COUNT(*) FROM \"" + table + "\"" + (filtre.isEmpty() ? QString() : " WHERE " + filtre))
            .toInt();
    }
    // Families numbered 000001 to `n`, guardians named from the list in turn.
    void familles(int n, const QStringList& noms = {}) const {
        for (int i = 1; i <= n; ++i) {
            const QString nom = noms.isEmpty() ? QStringLiteral("Nom%1").arg(i, 3, 10, QLatin1Char('0'))
                                               : noms[(i - 1) % noms.size()];
            auto base = db::BaseDonnees::ouvrir(chemin);
            base->requete("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\", "
                          "\"prénom_responsable_légal\") VALUES (?, ?, ?)",
                          {QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')), nom, QStringLiteral("P%1").arg(i)});
            base->Close();
        }
    }
};

inline void menu(const QString& nom) {
    shell::menus::executer(nom);
    traiter();
}
inline forms::Feuille& feuille(const QString& nom) { return forms::Feuilles::charger(nom); }
template <class T> T* controle(const QString& fenetre, const QString& nom) { return feuille(fenetre).controle<T>(nom); }
inline QLineEdit* zone(const QString& nom) { return controle<QLineEdit>(Famille, nom); }
inline QString texte(const QString& nom) { return zone(nom)->text(); }
inline void cliquer(const QString& fenetre, const QString& bouton) {
    controle<QPushButton>(fenetre, bouton)->click();
    traiter();
}
inline void cliquer(const QString& bouton) { cliquer(Famille, bouton); }
inline db::ControleDonnees* dat(const QString& fenetre = Famille) {
    return controle<db::ControleDonnees>(fenetre, QStringLiteral("datPrimaryRS"));
}
inline db::JeuEnregistrements& jeu(const QString& fenetre = Famille) { return dat(fenetre)->Recordset(); }
inline QTabWidget* onglets() { return controle<QTabWidget>(Famille, QStringLiteral("SSTab1")); }
inline QString focalise(const QString& fenetre) {
    QWidget* w = feuille(fenetre).focusWidget();
    return w ? w->objectName() : QString();
}
// Gives the box the focus as the user's Tab key or click does, then lets queued work run.
// A box on a tab not shown is reached by first showing its tab, as the user does.
inline void entrer(const QString& nom) {
    feuille(Famille).activateWindow();
    if (!zone(nom)->isVisible())
        for (int i = 0; i < onglets()->count(); ++i)
            if (onglets()->widget(i)->isAncestorOf(zone(nom))) onglets()->setCurrentIndex(i);
    zone(nom)->setFocus(Qt::TabFocusReason);
    traiter();
}
inline void quitter_vers(const QString& suivant) { entrer(suivant); }

}  // namespace banc
