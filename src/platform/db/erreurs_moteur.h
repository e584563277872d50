#pragma once
// The database engine's error numbers and their French texts, in one table.
#include "platform/erreur.h"

namespace db {

namespace erreurs {
constexpr int ErreurMoteur = 3000;          // any other failure of the engine (SQLite's message follows)
constexpr int ArgumentInvalide = 3001;      // an argument outside what the operation takes
constexpr int MiseAJourSansEdition = 3020;  // Update without AddNew or Edit
constexpr int AucunEnregistrement = 3021;   // no current record
constexpr int Doublon = 3022;               // duplicate key
constexpr int FichierIntrouvable = 3024;    // file not found
constexpr int DisquePlein = 3026;           // no space left on the disk
constexpr int LectureSeule = 3027;          // read-only database or object
constexpr int EntreeSortie = 3040;          // the disk or the network failed to read or write
constexpr int FichierRemplace = 3043;       // the open file was replaced, moved or deleted meanwhile
constexpr int CheminInvalide = 3044;        // not a valid path
constexpr int FichierOccupe = 3045;         // file already in use
constexpr int BaseEndommagee = 3049;        // the file is damaged: some of its pages cannot be read
constexpr int OuvertureImpossible = 3051;   // cannot open the file
constexpr int SyntaxeRequete = 3075;        // syntax error in a query expression
constexpr int SyntaxeCritere = 3077;        // syntax error in a find criterion
constexpr int TableIntrouvable = 3078;      // table or query not found
constexpr int SignetInvalide = 3159;        // bookmark of no row of the result
constexpr int ChampTropPetit = 3163;        // value too long for the field
constexpr int EnregistrementSupprime = 3167; // the record was deleted since it was read
constexpr int ModifieAilleurs = 3197;      // the record changed since it was read
constexpr int BaseExistante = 3204;         // target database already exists
constexpr int Verrouille = 3218;            // locked by another workstation
constexpr int ElementIntrouvable = 3265;    // no such field
constexpr int FormatNonReconnu = 3343;      // not a database file
constexpr int ObjetInvalide = 3420;         // recordset or database not open
constexpr int ConversionType = 3421;        // data type conversion (an invalid date)
constexpr int ActionAnnulee = 3426;         // action cancelled by an associated object
}

// The French text of an engine error number, or of a run-time error number of
// erreurs_execution ("" for an unknown number).
QString texte_erreur(int numero);

// Throws Erreur(numero, texte_erreur(numero) + detail).
[[noreturn]] void lever(int numero, const QString& detail = {});
// The same for a value refused in the column `champ`, which the detail names « champ ».
[[noreturn]] void lever_sur_champ(int numero, const QString& champ, const QString& detail);

// The detail naming the file an error concerns: " Fichier concerné : « chemin »."
QString fichier_concerne(const QString& chemin);

}  // namespace db
