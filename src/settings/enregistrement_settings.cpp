#include "settings/enregistrement_settings.h"

void enregistrer_feuilles_settings() {}
