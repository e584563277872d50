#pragma once
// The two file commands of the main window that open the chooser and close the database.
#include <QString>

namespace shell::ouverture {
// "&Ouvrir une base de données": the chooser, with no code typed yet.
void commande_ouvrir();
// "&Fermer la base de données en cours".
void commande_fermer();
// Panel 1 of the status bar.
void afficher_base_en_cours(const QString& texte);
// The database that the last opening accepted, "" while none is open.
QString base_ouverte();
// Closes the working database as "&Fermer la base de données en cours" does, without its
// message: for a file that an operation has deleted, renamed or replaced. False when a window
// would not let go (its user went back to a record): the database then stays open as it was.
bool fermer_base_ouverte();
// Every window bound to a database file saves what was typed and lets go of it (see
// forms::Feuilles::lacherBases); false when the user went back to a record instead.
bool lacher_base_ouverte();
// No database open any more (closing, a new start).
void oublier_base_ouverte();
}  // namespace shell::ouverture
