#pragma once
// A binary Excel 97 workbook (".XLS"): one sheet, the headings on the first row, one row per
// record. Dates are date cells shown JJ/MM/AAAA and numbers are number cells, so that the
// spreadsheet sorts and computes them; every other value is text (codes such as a matricule
// or a postcode keep their leading zeros).
#include "platform/report/donnees.h"
#include "platform/report/modele.h"
#include "platform/report/page.h"

#include <QByteArray>

#include <memory>

namespace report {

// The most rows a sheet holds, the headings' row included.
constexpr int LignesMaxClasseur = 65536;

enum class GenreColonne { Texte, Nombre, Date };

// The kind of each column of the table made from `m` and `d`: a detail cell that shows one
// field alone takes the kind of that field's values (a date or number field); anything
// else, text and yes/no fields included, is text.
QVector<GenreColonne> genres_colonnes(const Modele& m, const Donnees& d);

// The same found as the records come one by one: a column takes its kind from its first value
// that is not null, the cells before it being empty.
class GenresEnFlot {
public:
    // `d`: its columns and constants; its records are not read.
    GenresEnFlot(const Modele& m, const Donnees& d);
    // Looks at one record; true when a column's kind was found in it.
    bool voir(const QVector<QVariant>& ligne);
    const QVector<GenreColonne>& genres() const { return genres_; }

private:
    QVector<GenreColonne> genres_;
    QVector<std::pair<int, QVector<int>>> attendues_;  // a record's column -> the table's columns it gives
};

// A workbook written row by row: each row's cells become the sheet's records at once, and
// only the distinct texts are kept (the workbook lists them before the sheet). Columns beyond
// `genres` are text; a value that does not read as its column's kind is written as text.
// Throws Erreur 5 beyond LignesMaxClasseur rows or 256 columns.
class ClasseurExcel {
public:
    // `lignesPrevues`: the rows to come, to size the buffer once.
    ClasseurExcel(const QString& titre, const QStringList& entetes, QVector<GenreColonne> genres, int lignesPrevues);
    ~ClasseurExcel();
    ClasseurExcel(const ClasseurExcel&) = delete;
    ClasseurExcel& operator=(const ClasseurExcel&) = delete;

    void ajouterLigne(const QStringList& cellules);
    // The kinds of the columns for the rows added from now on.
    void definirGenres(const QVector<GenreColonne>& genres);
    // The file's bytes; the workbook is spent afterwards.
    QByteArray terminer();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

QByteArray classeur_excel(const Tableau& t, const QVector<GenreColonne>& genres = {});

}  // namespace report
