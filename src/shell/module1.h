#pragma once
// The shell's part of the shared module: opening and closing the working database, the menu
// switches and the options file.
#include "partage/module1.h"

namespace Module1 {

void ouvrir_base_donnees();
// Closes the connection that the chooser holds, so that a file may be copied, compacted,
// renamed or deleted. When `fichier`, the file about to be replaced, renamed or deleted, is the
// working database, every window on it first saves what was typed and lets go of it (the
// database stays the working one). False when a window would not let go (its user went back to
// a record): nothing is closed then, and the file must not be touched.
bool fermer_base_donnees(const QString& fichier = QString());
void activer_menus();
void desactiver_menus();
void lire_options();
void ecrire_options();

}  // namespace Module1
