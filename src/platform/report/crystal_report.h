#pragma once
// The report control of the main window: the program's own report engine, driven by named
// properties. Its settings persist between uses. A template is a "*.rpt" text file (see
// docs/modeles_rapports.md) that names its data, order, groups, layout and formula places.
#include <QString>
#include <QStringList>
#include <QVector>

namespace report {

namespace destination { constexpr int Fenetre = 0, Imprimante = 1, Fichier = 2; }
namespace type_fichier { constexpr int TexteEnrichi = 15, Tableur = 10; }

class CrystalReport {
public:
    void setDataFiles(int index, const QString& chemin);
    QString DataFiles(int index) const;
    void setReportFileName(const QString& chemin);
    QString ReportFileName() const;
    // "nom= \"valeur\"" or "nom=\"valeur\"": the template shows the value where it names nom;
    // a double quote of the value is written doubled.
    void setFormulas(int index, const QString& formule);
    QString Formulas(int index) const;
    void setSelectionFormula(const QString& formule);
    QString SelectionFormula() const;
    void setDestination(int d);
    int Destination() const;
    void setWindowState(int etat);
    int WindowState() const;
    void setCopiesToPrinter(int copies);
    int CopiesToPrinter() const;
    void setPrintFileType(int type);
    int PrintFileType() const;
    void setPrintFileName(const QString& chemin);
    QString PrintFileName() const;

    // Runs the report to its destination: 0 success, non-zero a refusal (missing template or
    // data file, malformed selection formula, no printer, unwritable file). Never throws for
    // those; the reason is kept in derniereErreur().
    int PrintReport();
    // 1: run the report now. Its result is not read by the callers, so a refusal is raised
    // as Erreur (the number and text PrintReport would have given) for the calling handler
    // to report; any other value does nothing.
    void setAction(int action);
    QString derniereErreur() const;
    // Reads the template and the selection formula and checks the fields they name against
    // the data file, without reading its records: the reason the report cannot run (file,
    // line, what is wrong), empty when it can. Kept in derniereErreur() too.
    QString verifier();
    // Labels of the last run set smaller or cut to fit their place on the sheet.
    int etiquettesRaccourcies() const;
    // Pupils of the last run left out of a list of families because their family's record
    // is missing (templates with "famille = obligatoire").
    int elevesSansFamille() const;
};

// The one control, held by the main window.
CrystalReport& CrystalReport1();

}  // namespace report
