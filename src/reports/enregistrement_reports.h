#pragma once
// Registers the windows of this part of the program in the window registry.
void enregistrer_feuilles_reports();
// Hands the descriptions of this part's windows to the window layer (done by the above too).
void enregistrer_tables_reports();
