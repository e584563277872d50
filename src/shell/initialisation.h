#pragma once
// The utilities that empty tables so that a school can start its register afresh.
namespace shell::initialisation {
// Registers the three commands of "&Utilitaires" with the main window's menus.
void enregistrer_commandes();
}
