#pragma once
// The one exception type of the program: every failure carries a number and a French text,
// so that the handlers can show "... a rencontré l'erreur : <numéro>\n\n<texte>".
#include <QString>
#include <stdexcept>

struct Erreur : std::runtime_error {
    int numero;
    QString texte;
    // The column whose value was refused, when the refusal concerns one: the text names it
    // « champ », and a window may put the field's caption there instead.
    QString champ;
    Erreur(int n, const QString& t) : std::runtime_error(t.toStdString()), numero(n), texte(t) {}
};

// An operation that the user stopped when asked about it (he chose to go back to the record
// he was typing rather than leave it): nothing failed, so the handlers end it without a word.
struct OperationAbandonnee {};

// Run-time error numbers of the program outside the database engine (the engine's own
// numbers are in db/erreurs_moteur.h; the texts of both are in db/erreurs_moteur.cpp).
namespace erreurs_execution {
constexpr int AppelIncorrect = 5;          // "Argument ou appel de procédure incorrect."
constexpr int TypeIncompatible = 13;       // "Type incompatible."
constexpr int NomFichierIncorrect = 52;    // "Nom ou numéro de fichier incorrect."
constexpr int FichierIntrouvable = 53;     // "Fichier introuvable."
constexpr int FichierDejaOuvert = 55;      // "Fichier déjà ouvert."
constexpr int FichierExistant = 58;        // "Ce fichier existe déjà."
constexpr int PermissionRefusee = 70;      // "Permission refusée."
constexpr int AccesFichier = 75;           // "Erreur d'accès au chemin/fichier."
constexpr int CheminIntrouvable = 76;      // "Chemin d'accès introuvable."
constexpr int VariableObjet = 91;          // "Variable objet ou variable de bloc With non définie."
constexpr int ImageIncorrecte = 481;       // "Image incorrecte."
constexpr int ImprimanteAbsente = 482;     // "Erreur d'imprimante."
}
