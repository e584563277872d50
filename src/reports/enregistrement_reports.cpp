#include "reports/enregistrement_reports.h"

void enregistrer_feuilles_reports() {}
