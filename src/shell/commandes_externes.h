#pragma once
// Menu commands whose work is written elsewhere in the program (the spreadsheet and
// gateway exports, the table utilities...). Their owner registers the function under the menu
// item's name from its window registration; the main window calls it through this table
// and knows nothing else of it. A menu item with nothing registered does nothing.
#include <QString>
#include <functional>

namespace shell {

void definir_commande_menu(const QString& menu, std::function<void()> commande);
// nullptr-like empty function when none is registered.
std::function<void()> commande_menu(const QString& menu);

}  // namespace shell
