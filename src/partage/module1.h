#pragma once
// The shared module that every subsystem calls: the three shared values, window placement
// and the table binders. Opening and closing the working database, the menu switches and the
// options file are the shell's part of it (shell/module1.h).
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

}  // namespace Module1
