#pragma once
// The laid-out report: pages of bands placed in millimetres, drawn on screen and paper and
// written to rich text; and the same records as a table for the spreadsheet.
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <QVector>

namespace report {

struct Style {
    bool gras = false, italique = false;
    double taille = 10;  // points
    int alignement = 0;  // 0 left, 1 centre, 2 right
};

struct LigneTexte {
    QString texte;
    Style style;
    double hauteur = 0;  // mm
};

struct CelluleRendue {
    double x = 0, largeur = 0;  // mm from the page's left edge
    // Most cells hold one line: it is kept in the cell itself, not allocated apart, which a
    // list of a whole register does a million times.
    QVarLengthArray<LigneTexte, 1> lignes;
    bool cadre = false;
    double marge = 1;           // inner blank, mm
};

struct BandeRendue {
    double y = 0, hauteur = 0;  // mm from the page's top edge
    QVector<CelluleRendue> cellules;
    bool trait = false;         // a rule across the width, at mid-height
    bool fixe = false;          // at its own place on the page, outside the flow of the
                                // other bands (the address of a window envelope)
};

struct Page {
    QVector<BandeRendue> bandes;
};

struct DocumentRendu {
    QString titre;
    bool paysage = false;
    double largeur = 210, hauteur = 297;  // mm
    double marges[4] = {15, 15, 15, 15};  // top, right, bottom, left
    QVector<Page> pages;
    int etiquettesRaccourcies = 0;        // labels set smaller or cut to fit their place
};

struct Tableau {
    QString titre;
    QStringList entetes;
    QVector<QStringList> lignes;
};

}  // namespace report
