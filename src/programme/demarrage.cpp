// The start-up road: every window registered, the main window built around its
// multi-document area, then the splash; dismissing it shows the main window.
#include "programme/demarrage.h"
#include "platform/forms/noms_feuilles.h"
#include "shell/dessins.h"
#include "shell/enregistrement_shell.h"
#include "shell/feuille_copyright.h"
#include "shell/feuilles_simples.h"
#include "shell/mdiform1.h"
#include "partage/module1.h"
#include "shell/ouverture.h"
#include "shell/version.h"
#include "records/enregistrement_records.h"
#include "reports/enregistrement_reports.h"
#include "reports/export_passerelle.h"
#include "reports/export_tableur.h"
#include "settings/enregistrement_settings.h"
#include "platform/forms/boites.h"
#include "platform/forms/commandes.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include <QApplication>
#include <QIcon>

namespace programme {

namespace {
void enregistrer_toutes_les_feuilles() {
    static bool fait = false;
    if (fait) return;
    fait = true;
    enregistrer_feuilles_shell();
    enregistrer_feuilles_settings();
    enregistrer_feuilles_records();
    enregistrer_feuilles_reports();
    // Menu commands whose work lives with the exports.
    forms::definir_commande(QStringLiteral("menuexploitationindex4"), &reports::exporter_donnees_excel);
    forms::definir_commande(QStringLiteral("menuutilitairesindex4"), &reports::exporter_passerelle);
}
}  // namespace

void enregistrer_tables() {
    enregistrer_tables_shell();
    enregistrer_tables_settings();
    enregistrer_tables_records();
    enregistrer_tables_reports();
}

void preparer_demarrage() {
    forms::definir_titre_application(QString::fromUtf8(shell::version::titre));
    // Every window carries the program's own picture, the school house of the splash.
    QApplication::setWindowIcon(QIcon(shell::dessin_ecole()));
    enregistrer_toutes_les_feuilles();
    Module1::chemin_base.clear();
    Module1::chemin_programme.clear();
    Module1::code_appelant = 0;
    shell::ouverture::oublier_base_ouverte();
    // The program ends only through the quit question, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    // The main window exists from the start (not yet shown) so that every child window,
    // even one reached while the splash is up, opens inside its area.
    auto* principale = new shell::MDIForm1;
    shell::FeuilleAccueil::definirSuite([principale] { principale->show(); },
                                        [principale] { principale->Form_Load(); });
    forms::Feuilles::charger(noms::accueil);
}

void arreter_demarrage() {
    forms::Feuilles::toutDecharger();
    forms::Feuilles::definirZone(nullptr);
    delete shell::fenetre_principale();
    shell::FeuilleAccueil::definirSuite({}, {});
}

}  // namespace programme

int demarrer_programme(QApplication& app) {
    shell::noter_outil_infos_systeme();
    programme::preparer_demarrage();
    const int code = app.exec();
    programme::arreter_demarrage();
    return code;
}
