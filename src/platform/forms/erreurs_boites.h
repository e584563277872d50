#pragma once
// The error boxes of the program's conventions, written once. Each shows
// prefix + number + "\n\n" + text, warning style, the application title, and resets the
// mouse pointer to 0.
#include "platform/erreur.h"
#include <functional>

namespace forms {

enum class Prefixe {
    Logiciel,        // "Le logiciel a rencontré l'erreur : "
    Donnees,         // "Le gestionnaire d'erreurs des données a rencontré l'erreur : "
    ListesFichiers,  // "Le logiciel des données a rencontré l'erreur : "
};

QString texte_prefixe(Prefixe p);
void boite_erreur(const Erreur& e, Prefixe p = Prefixe::Logiciel);
void boite_erreur(int numero, const QString& texte, Prefixe p = Prefixe::Logiciel);

// Runs a handler body; an Erreur (or any std::exception, as number 5) is reported with the
// prefix and the handler ends; an operation the user stopped (OperationAbandonnee) ends it
// without a word. Returns false when the body did not run to its end.
bool pieger(const std::function<void()>& corps, Prefixe p = Prefixe::Logiciel);
// The same report of the exception being handled, called from inside a catch block.
void signaler_echec(Prefixe p = Prefixe::Logiciel);
// Runs a step and passes over any failure silently; returns false when it failed.
bool ignorer_erreur(const std::function<void()>& etape);

// "Data error event hit err:" + text, style 0, for the data-error events of the pickers.
void boite_erreur_donnees(int numero);

// A refusal that names its column (Erreur::champ) names it by `libelle`, the field's caption
// on screen, instead; nothing changes when `libelle` is empty.
void nommer_champ(Erreur& e, const QString& libelle);

// A save of the record being typed that the engine refused (a lock, a duplicate, a value too
// long, a row changed elsewhere...): its reason, and that what was typed is still there.
void boite_enregistrement_refuse(int numero, const QString& texte);

// What a data control shows of an engine error that its Error handler left to it: the
// engine's text, warning style. Installed as the display of every data control.
void boite_erreur_controle(int numero, const QString& texte);
void installer_affichage_erreurs_controles();

}  // namespace forms
