#pragma once
// The start-up options: the four check boxes of `feuille_options` are their only store
// while the program runs; "options.ini" keeps them between runs.
#include <QString>

namespace shell::options {

// The value of a check box of the options window (0 clear, 1 ticked, 2 greyed); reaching
// it loads the window.
int valeur_case(const QString& nom);
// Sets it; a value other than 0, 1 or 2 is refused (380).
void definir_case(const QString& nom, int valeur);

// No database is open any more (closed, or a new start): accepting the options now saves the
// chooser's selection, if any, and no other last database.
void oublier_derniere_base();

// The database the chooser shows as selected ("" when the chooser is not loaded): at start,
// the last database read from the file, which is opened only through its access code.
QString base_choisie();

}  // namespace shell::options
