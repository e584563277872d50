#pragma once
// The program's own key store: a small text file of keys and typed values, read and written
// as a registry would be. One section per key, its root first, one value per line:
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   PATH=sz:/usr/bin/hardinfo
//   Essais=dword:0000001f
//
// Key paths and value names compare without regard to case. Lines starting with ";" and
// blank lines are comments. The file is UTF-8.
#include <QString>

namespace registre {

// The roots of the key paths.
enum class Racine { HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS };

// Value types, numbered as the store's readers expect them.
constexpr int TypeTexte = 1;
constexpr int TypeEntier32 = 4;

// The store in use: by default "carnelis/registre" in the user's configuration folder.
QString fichier();
void definir_fichier(const QString& chemin);

// Reads one value. True when it was read; `valeur` is then its text: a string value as
// stored, a 32-bit value as "&h" followed by the hexadecimal code of each of its bytes from the
// most significant down, each without leading zero, a zero top byte left out (0x1F0 reads
// "&h01F0", 0x12345678 "&h12345678"). A missing
// store, key or value, or a value longer than 1023 bytes, gives false and "". A value of
// another type is read (true) but leaves `valeur` as the caller passed it.
bool lire_valeur_registre(Racine racine, const QString& cle, const QString& nom, QString& valeur);

// Writes a string value (creating the store, the key and the value as needed); the rest of
// the store is kept. False when the file could not be written.
bool ecrire_valeur_texte(Racine racine, const QString& cle, const QString& nom, const QString& valeur);

}  // namespace registre
