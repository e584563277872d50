#pragma once
// The menu tree of the main window, in display order, and the commands behind its items.
#include <QString>

namespace shell::menus {

enum class Genre { Menu, Commande, Separateur };

struct Entree {
    const char* nom;      // the menu control's name, used as objectName
    const char* parent;   // "" for a header of the menu bar
    Genre genre;
    const char* libelle;  // caption ("-" for a separator)
    const char* raccourci = "";
};

// The whole tree, parents before their items.
const Entree* entrees(int& nombre);

// The four working menus, in the order the switches set them.
extern const char* const menus_de_travail[4];

// Runs the command of a menu item (its own error box included); an item with no command
// yet does nothing.
void executer(const QString& nom);

}  // namespace shell::menus
