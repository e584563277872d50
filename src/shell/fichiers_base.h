#pragma once
// The database chooser's file buttons: creating, duplicating, renaming, deleting and
// compacting database files in the folder its file list shows, and asking for the folder of a
// backup or a restore. Every copy goes through db::copie_sure, so that no operation leaves a
// damaged or half-written file under a database's name.
#include <QString>

namespace shell::fichiers {

void creer();        // "C&réer"
void dupliquer();    // "&Dupliquer"
void renommer();     // "Re&nommer"
void supprimer();    // "&Supprimer"
void compacter();    // "&Compacter"
void sauvegarder();  // "Sau&vegarder": asks for the folder in `feuille_chemin`
void restaurer();    // "&Restaurer": asks for the folder in `feuille_chemin`

// The fixed file names.
inline const QString modele = QStringLiteral("basevide.mdz");
inline const QString avant_compactage = QStringLiteral("sauvegarde_avant_compactage.mdb");
inline const QString compactage = QStringLiteral("compactage.cpg");
inline const QString sauvegarde = QStringLiteral("sauvegarde.mdb");
inline const QString restauree = QStringLiteral("sauvegarde_restaurée.mdb");

// Is `chemin` the database that the main window has open? Asked before its file is
// replaced or removed, since afterwards the name no longer leads to the open file.
bool est_base_ouverte(const QString& chemin);
// Before a file that may be the working database is replaced or removed: the windows on the working database save what was typed and let go
// of it. False, the user told that `operation` is cancelled ("Restauration annulée") and
// nothing done, when one of them keeps its record.
bool laisser_la_base(const QString& fichier, const QString& operation);
// Refreshes the chooser's file list, if the chooser is loaded.
void rafraichir_liste();

// The folder of a backup about to be written is remembered in the program's key store: a
// backup killed before its copy took its name leaves a temporary file there, which the next
// start removes (nettoyer_dossier_sauvegarde), as opening a database does in its own folder.
void retenir_dossier_sauvegarde(const QString& dossier);
void nettoyer_dossier_sauvegarde();

}  // namespace shell::fichiers
