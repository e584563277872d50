#pragma once
// The table binders: one mechanism over the 23 binders of the shared module, each named in
// its window's description (platform/forms/descriptions_fenetres.h).
#include <QString>

namespace forms { class Feuille; }

namespace liants {

// Runs the binder of that name. Returns true when the data control ended with an open
// result set. A binder whose window is not registered does nothing and returns false;
// an unknown binder name is a programming error (5). The window first leaves the record it
// shows by its own rule; when its user goes back to that record instead, the window stays as
// it was and OperationAbandonnee is raised, so that whatever called the binder stops too.
bool lier(const QString& liant);
// The same steps for a command that goes on to use the window: the first failing step
// stops the binder and is raised, a missing table as "La table « X » est absente de cette
// base de données." The window is then left unbound, and the caller reports the one error.
void lier_ou_lever(const QString& liant);

// The same binder on another file than the working database: the chooser reads the access
// code of the file it shows before that file is accepted as the working database.
bool lier_sur(const QString& liant, const QString& fichier);

// The window a binder addresses ("feuille_villes"), "" for an unknown binder.
QString feuille_du_liant(const QString& liant);

// Is the window `feuille` being loaded by one of its binders? The binder binds it right after
// the load, so that its load leaves it unbound and its records are read once.
bool chargee_par_son_liant(const QString& feuille);
// Reaches the window `feuille` as its binders do: loaded if needed, its load leaving its data
// controls unbound for the caller, who binds them right after.
forms::Feuille& charger_pour_lier(const QString& feuille);

}  // namespace liants
