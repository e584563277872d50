#include "reports/export_tableur.h"

#include "platform/erreur.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/report/crystal_report.h"
#include "reports/feuille_traitements.h"
#include "reports/formule_selection.h"
#include "reports/nom_fichier_sortie.h"
#include "shell/module1.h"

#include <QFile>
#include <QFileInfo>

namespace reports {

void exporter_donnees_excel() {
    forms::pieger([] {
        auto& cr = report::CrystalReport1();
        cr.setDataFiles(0, Module1::chemin_base);
        cr.setReportFileName(Module1::chemin_programme + QStringLiteral("fiche_export.rpt"));
        Module1::construire_formule_selection();
        if (const QString raison = cr.verifier(); !raison.isEmpty()) {
            forms::boite_message(message_interruption(raison), 48);
            return;
        }

        const QString reponse = forms::boite_saisie(
            QStringLiteral("Entrez le chemin et le nom du fichier d'exportation au format .XLS "
                           "(Microsoft Excel) que vous souhaitez créer:"),
            QStringLiteral("Exportation des données vers un fichier Excel"),
            proposition_fichier(QStringLiteral("export_carnelis.XLS")));
        const QString nom = nom_fichier_sortie(reponse, QStringLiteral(".XLS"));
        // Cancel or an empty name: nothing is written and the control is left as it was.
        if (nom.isEmpty()) return;

        cr.setDestination(report::destination::Fichier);
        cr.setPrintFileType(report::type_fichier::Tableur);

        if (QFileInfo::exists(nom)) {
            if (forms::boite_message(QStringLiteral("Attention, le fichier d'exportation existe déjà... "
                                                    "Il sera remplacé par le nouveau. Voulez-vous continuer ?"),
                                     36) != forms::Oui)
                return;
            if (!QFile::remove(nom))
                db::lever(erreurs_execution::PermissionRefusee);
        }

        cr.setPrintFileName(nom);
        cr.setCopiesToPrinter(1);
        if (cr.PrintReport() == 0)
            forms::boite_message(QStringLiteral("Le fichier d'exportation ") + nom +
                                     QStringLiteral(" a été créé avec succès."), 48);
        else
            forms::boite_message(message_interruption(cr.derniereErreur()), 48);

        cr.setCopiesToPrinter(1);
        cr.setDestination(report::destination::Fenetre);
    });
}

}  // namespace reports
