#pragma once
// Registers the windows of this part of the program in the window registry.
void enregistrer_feuilles_reports();
