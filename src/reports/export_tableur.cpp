#include "reports/export_tableur.h"

#include "platform/erreur.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/db/base_donnees.h"
#include "platform/report/crystal_report.h"
#include "platform/report/ecriture_xls.h"
#include "platform/report/formule.h"
#include "reports/feuille_traitements.h"
#include "reports/formule_selection.h"
#include "reports/nom_fichier_sortie.h"
#include "partage/module1.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace reports {

namespace {

// The pupils the selection formula keeps, counted before anything is read or asked, so that
// an export too big for one sheet is refused at once. -1 when they cannot be counted here
// (no database, a formula naming another table): the report engine then says why itself.
qint64 eleves_selectionnes(const QString& base, const QString& selection) {
    try {
        const QString eleves = QStringLiteral("élèves");
        report::formule::ContexteSql ctx;
        ctx.colonne = [&](const QString& table, const QString& champ) -> QString {
            if (table != eleves) throw Erreur(3075, table);
            return report::formule::nom_sql(table) + QLatin1Char('.') + report::formule::nom_sql(champ);
        };
        QVariantList parametres;
        QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + report::formule::nom_sql(eleves);
        if (const auto f = report::formule::analyser(selection))
            sql += QStringLiteral(" WHERE ") + report::formule::en_sql(f, ctx, parametres, true);
        if (!QFileInfo(base).isFile()) return -1;
        auto b = db::BaseDonnees::ouvrir(base);
        report::formule::enregistrer_fonctions(b->poignee());
        const qint64 n = b->requete(sql, parametres).lignes.value(0).value(0).toLongLong();
        b->Close();
        return n;
    } catch (...) {
        return -1;
    }
}

}  // namespace

void exporter_donnees_excel() {
    forms::pieger([] {
        auto& cr = report::CrystalReport1();
        cr.setDataFiles(0, Module1::chemin_base);
        cr.setReportFileName(Module1::chemin_programme + QStringLiteral("fiche_export.rpt"));
        Module1::construire_formule_selection();
        if (const QString raison = cr.verifier(); !raison.isEmpty()) {
            forms::boite_message(message_interruption(raison), forms::styles::Avertissement);
            return;
        }

        // One row of headings, then one row per pupil.
        const qint64 nombre = eleves_selectionnes(Module1::chemin_base, cr.SelectionFormula());
        if (nombre >= report::LignesMaxClasseur) {
            const QLocale fr(QLocale::French);
            forms::boite_message(
                QStringLiteral("L'exportation compte %1 élèves : un fichier .XLS (Microsoft Excel) ne peut en contenir "
                               "que %2, sous la ligne des intitulés.\n\nChoisissez un cycle, un niveau ou une classe "
                               "dans la fenêtre « Exploitation de la base » pour exporter moins d'élèves à la fois.")
                    .arg(fr.toString(nombre), fr.toString(report::LignesMaxClasseur - 1)),
                forms::styles::Avertissement);
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

        // The existing file is replaced only once the new one is whole on disk beside it: a
        // failure or a kill meanwhile leaves it as it was.
        if (!forms::remplacement_accepte(nom)) return;

        cr.setPrintFileName(nom);
        cr.setCopiesToPrinter(1);
        if (cr.PrintReport() == 0)
            forms::boite_message(
                QStringLiteral("Le fichier d'exportation ") + nom + QStringLiteral(" a été créé avec succès."),
                forms::styles::Avertissement);
        else
            forms::boite_message(message_interruption(cr.derniereErreur()), forms::styles::Avertissement);

        cr.setCopiesToPrinter(1);
        cr.setDestination(report::destination::Fenetre);
    });
}

}  // namespace reports
