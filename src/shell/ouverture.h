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
}  // namespace shell::ouverture
