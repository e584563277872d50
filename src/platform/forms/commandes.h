#pragma once
// Commands reached by name: a menu item or a button of one subsystem whose work is written in
// another. The owner of the work registers it under its name at start; the window that offers
// it calls it through this table and knows nothing else of it. A name with nothing registered
// does nothing.
#include <QString>
#include <functional>

class QAbstractButton;

namespace forms {

void definir_commande(const QString& nom, std::function<void()> commande);
// An empty function when none is registered.
std::function<void()> commande(const QString& nom);

// The name of the command of a window's button ("feuille_élève.Command3").
QString commande_du_bouton(const QString& fenetre, const QString& bouton);
// Connects the button to the command of its name, looked up at each click.
void brancher_bouton(QAbstractButton* bouton, const QString& fenetre);

}  // namespace forms
