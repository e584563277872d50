#pragma once
// The keyboard reaches everything, the same way in every window:
// - a key of the main window's menus or a record key works from every field: no text box
//   keeps it for itself (Ctrl+E is not "end of line" here);
// - Alt and a letter presses the button, ticks the box or turns to the tab of the window the
//   focus is in before it opens a menu of the main window; a letter two captions share
//   presses the first of them; a tab chosen so puts the focus on its first field;
// - the record keys move a record window's data control from any of its fields;
// - F4 or Alt+Down in a field presses the button beside it (choice, search, date), which Tab
//   passes over;
// - Ctrl+Tab leaves a grid, where Tab moves between the cells of a row;
// - in a menu, a letter two items share chooses the first of them.
#include <QKeySequence>

class QAbstractButton;
class QWidget;

namespace forms {

// Puts the keyboard's rules in force (every window does it when it is made).
void installer_clavier();

// A key that shortcuts use and text boxes give up.
void reserver_raccourci(const QKeySequence& touche);

// Ctrl+Pg préc., Ctrl+Pg suiv., Ctrl+Début and Ctrl+Fin in `fenetre` press the previous,
// next, first and last record buttons of the data control `controle`; their tooltips say so.
void touches_de_fiche(QWidget* fenetre, QWidget* controle);

// F4 or Alt+Down in `champ` presses `bouton`, which leaves the Tab path between the fields;
// the button's tooltip names the key.
void touche_de_choix(QWidget* champ, QAbstractButton* bouton);

// Gives the focus back to `champ`, its window brought forward first; nothing when the field
// has gone or cannot take it.
void rendre_focus(QWidget* champ);

// The first field of `conteneur` in Tab order that can take the focus, buttons passed over
// (nullptr when none).
QWidget* premier_champ(QWidget* conteneur);

}  // namespace forms
