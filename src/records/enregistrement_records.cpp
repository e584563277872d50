#include "records/enregistrement_records.h"

void enregistrer_feuilles_records() {}
