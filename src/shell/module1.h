#pragma once
// The shared module that every window calls: the three shared values, window placement,
// the table binders, opening and closing the working database, the menu switches and the
// options file.
#include "platform/forms/placement.h"
#include "platform/forms/selecteurs.h"
#include <QString>

namespace Module1 {

// The full path of the working database ("" while none is open).
extern QString chemin_base;
// The folder current at start, ending with the separator.
extern QString chemin_programme;
// Which caller opened a picker (see the picker protocol in platform/forms/selecteurs.h).
inline qint16& code_appelant = selecteurs::code_appelant;

inline void centrer_feuille(forms::Feuille& f) { forms::centrer_feuille(f); }
inline void centrer_feuille_decalee(forms::Feuille& f) { forms::centrer_feuille_decalee(f); }

// The table binders, one table-driven mechanism (see liants.cpp). `ouvrir_table(nom)` runs
// the binder of that name ("ouvrir_table_villes"); a binder whose window is not registered
// does nothing.
void ouvrir_table(const QString& liant);
void ouvrir_table_passe_acces();
void ouvrir_table_passe_choix();
void ouvrir_table_adresses();
void ouvrir_table_assertions();
void ouvrir_table_documents();
void ouvrir_table_ecole();
void ouvrir_table_eleves();
void ouvrir_table_equipe();
void ouvrir_table_familles();
void ouvrir_table_choix_famille();
void ouvrir_table_genres();
void ouvrir_table_hopitaux();
void ouvrir_table_inspection();
void ouvrir_table_langues_vivantes();
void ouvrir_table_medecins();
void ouvrir_table_nationalites();
void ouvrir_table_niveaux();
void ouvrir_table_sexe();
void ouvrir_table_situations_familiales();
void ouvrir_table_villes();
void ouvrir_table_parametres();
void ouvrir_table_assurances();
void ouvrir_table_csp();

void ouvrir_base_donnees();
// Closes the connection that the chooser holds, so that a file may be copied, compacted,
// renamed or deleted. When `fichier`, the file about to be replaced, renamed or deleted, is the
// working database, every window on it first saves what was typed and lets go of it (the
// database stays the working one). False when a window would not let go (its user went back to
// a record): nothing is closed then, and the file must not be touched.
bool fermer_base_donnees(const QString& fichier = QString());
void activer_menus();
void desactiver_menus();
void lire_options();
void ecrire_options();

}  // namespace Module1
