// The switches of the working menus.
#include "shell/module1.h"
#include "shell/mdiform1.h"
#include "shell/menus.h"
#include "platform/forms/erreurs_boites.h"
#include <QMenu>

namespace Module1 {

namespace {
void regler_menus(bool actifs) {
    forms::pieger([actifs] {
        shell::MDIForm1* principale = shell::fenetre_principale();
        if (!principale) return;
        for (const char* nom : shell::menus::menus_de_travail)
            if (QMenu* m = principale->menu(QString::fromUtf8(nom))) m->menuAction()->setEnabled(actifs);
    });
}
}  // namespace

void activer_menus() { regler_menus(true); }
void desactiver_menus() { regler_menus(false); }

}  // namespace Module1
