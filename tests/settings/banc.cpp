#include "banc.h"
#include "settings/enregistrement_settings.h"
#include "shell/menus.h"
#include "shell/module1.h"
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QTest>

namespace banc {

void preparer_programme() {
    static bool fait = false;
    if (fait) return;
    fait = true;
    enregistrer_feuilles_settings();
    auto* principale = new QMainWindow;
    principale->setObjectName(QStringLiteral("MDIForm1"));
    auto* zone = new QMdiArea(principale);
    principale->setCentralWidget(zone);
    principale->resize(1200, 900);
    principale->show();
    principale->activateWindow();
    QTest::qWaitForWindowActive(principale);
    forms::Feuilles::definirZone(zone);
}

Base::Base() {
    preparer_programme();
    chemin = test::copie_modele(dossier);
    Module1::chemin_base = chemin;
    Module1::code_appelant = 0;
    boites = &forms::installer_repondeur_scripte();
}

Base::~Base() {
    forms::Feuilles::toutDecharger();
    traiter();
    Module1::chemin_base.clear();
}

db::ResultatRequete Base::lire(const QString& sql, const QVariantList& parametres) const {
    auto base = db::BaseDonnees::ouvrir(chemin);
    auto r = base->requete(sql, parametres);
    base->Close();
    return r;
}

void Base::ecrire(const QString& sql, const QVariantList& parametres) const {
    auto base = db::BaseDonnees::ouvrir(chemin);
    base->requete(sql, parametres);
    base->Close();
}

int Base::compte(const QString& table) const {
    return lire(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)).lignes.value(0).value(0).toInt();
}

void menu(const QString& nom) {
    shell::menus::executer(nom);
    traiter();
}

forms::Feuille& feuille(const QString& nom) { return forms::Feuilles::charger(nom); }

void cliquer(const QString& fenetre, const QString& bouton) {
    controle<QPushButton>(fenetre, bouton)->click();
    traiter();
}

db::JeuEnregistrements& jeu(const QString& fenetre) {
    return controle<db::ControleDonnees>(fenetre, QStringLiteral("datPrimaryRS"))->Recordset();
}

QString texte(const QString& fenetre, const QString& zone) { return controle<QLineEdit>(fenetre, zone)->text(); }

QWidget* focalise(const QString& fenetre) { return feuille(fenetre).focusWidget(); }

void traiter() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

}  // namespace banc
