#pragma once
// Lays the records of a template out into pages, or into a table for the spreadsheet.
#include "platform/report/donnees.h"
#include "platform/report/modele.h"
#include "platform/report/page.h"

#include <QDate>
#include <QHash>

#include <functional>
#include <memory>

namespace report {

// The caller's named formulas, by name.
using Formules = QHash<QString, QString>;

// A layout done a few pages at a time, so that a window shows the first pages while the rest
// is laid out, and a file is written as its pages come without holding them all. It keeps
// its own copy of the template, the records and the formulas.
class MiseEnPage {
public:
    MiseEnPage(Modele m, Donnees d, Formules f, const QDate& jour);
    ~MiseEnPage();
    MiseEnPage(const MiseEnPage&) = delete;
    MiseEnPage& operator=(const MiseEnPage&) = delete;

    // Lays out until `pages` more pages are finished, or to the end; false once all is done.
    bool avancer(int pages = 1);
    bool terminee() const;
    // The pages finished since the last call, in order. Until the layout ends, the page count
    // in them is the mark marque_pages(); once it ends, the count is written in every page
    // taken afterwards, and pages_totales() gives it.
    QVector<Page> prendre();
    int pages_totales() const;
    // Title, paper and margins of the document (its pages are taken with prendre()).
    const DocumentRendu& document() const;
    int etiquettes_raccourcies() const;
    // Whether the pages show the page count, known only once the layout ends.
    bool montre_nombre_pages() const;

private:
    struct Donnees_;
    std::unique_ptr<Donnees_> d_;
};

// Stands in the pages for the page count until every page is known.
const QString& marque_pages();
// Writes `nombre` where the mark stands in the page.
void remplacer_marque(Page& page, const QString& nombre);

DocumentRendu mettre_en_page(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour);
Tableau mettre_en_tableau(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour);
// The table of a template made one row at a time: its headings, then the cells of any record.
class LignesTableau {
public:
    // `total`: the records of the table, which its formulas may count.
    LignesTableau(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour, qint64 total);
    ~LignesTableau();
    LignesTableau(const LignesTableau&) = delete;
    LignesTableau& operator=(const LignesTableau&) = delete;
    QStringList entetes() const;
    // The cells of the record at `ligne` of the records, the `rang`-th (from 1) of the table;
    // valid until the next call.
    const QStringList& cellules(int ligne, qint64 rang);

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// The same table given row by row, without holding it: the title and headings first, then
// `ligne` for each record (its cells valid only during the call).
void parcourir_tableau(const Modele& m, const Donnees& d, const Formules& f, const QDate& jour, QString& titre,
                       QStringList& entetes, const std::function<void(const QStringList& cellules)>& ligne);

// A value as the report prints it: dates JJ/MM/AAAA, yes/no "Oui"/"Non", numbers without
// useless decimals.
QString texte_valeur(const QVariant& v);

}  // namespace report
