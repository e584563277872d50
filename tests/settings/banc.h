#pragma once
// What every test of the settings windows stands on: a fresh copy of the blank template as
// the working database, the windows registered, a main window whose multi-document area
// holds them, and the scripted answerer recording every box.
#include "commun/base_test.h"
#include "platform/db/base_donnees.h"
#include "platform/db/controle_donnees.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/grille_donnees.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

namespace banc {

// Once per program: the registry, the main window's area.
void preparer_programme();

// Per test: a new working database; the answerer reset.
struct Base {
    Base();
    ~Base();
    QTemporaryDir dossier;
    QString chemin;
    forms::RepondeurScripte* boites = nullptr;
    // Native statements on a connection of its own, as another workstation would see the file.
    db::ResultatRequete lire(const QString& sql, const QVariantList& parametres = {}) const;
    void ecrire(const QString& sql, const QVariantList& parametres = {}) const;
    int compte(const QString& table) const;
};

// Runs a menu command of the main window, as the user choosing it.
void menu(const QString& nom);

forms::Feuille& feuille(const QString& nom);
template <class T> T* controle(const QString& fenetre, const QString& nom) {
    return feuille(fenetre).controle<T>(nom);
}
void cliquer(const QString& fenetre, const QString& bouton);
db::JeuEnregistrements& jeu(const QString& fenetre);
QString texte(const QString& fenetre, const QString& zone);
// The window's control that would receive the keyboard.
QWidget* focalise(const QString& fenetre);
// Lets posted deletions and focus changes happen.
void traiter();

}  // namespace banc
