#pragma once
// The working database is the file whose access code the user gave. Another workstation may
// put another file under its name (a duplicate, a copy, a restore): that file is read only if it
// carries the same access code; otherwise nothing of it is shown, and the database is closed
// and opened again through its own code.
#include <QString>

namespace shell::fichier_accepte {

// `chemin` was just accepted as the working database, its stored code being `code`.
void noter(const QString& chemin, const QString& code);
// No database is accepted any more.
void oublier();

}  // namespace shell::fichier_accepte
