#pragma once
// Text measured in millimetres with the fonts the pages are drawn with, so that the layout
// and the drawing agree on every line break.
#include "platform/report/page.h"

#include <QFont>

namespace report::mesure {

// Drawing unit: the pages are drawn with 1 unit = 0.01 mm.
constexpr double UnitesParMm = 100.0;

QFont police(const Style& s);
double largeur(const QString& texte, const Style& s);  // mm
double hauteur_ligne(const Style& s);                   // mm
// At least largeur(): the characters' own widths added up, without measuring the text as a
// whole. Cheap, for finding which of many texts need measuring.
double largeur_majoree(const QString& texte, const Style& s);
// The text cut into lines no wider than `largeur` mm: at line breaks, then between words,
// then after the hyphens of a word too long for the line, then between the characters of a
// part still too long. A number is never cut: it stands alone on its line, wider than it.
QStringList couper(const QString& texte, const Style& s, double largeur);
// A number as a list prints it ("1000", "51,2", "-3"), which is never cut.
bool est_nombre(const QString& mot);
// The text on one line no wider than `largeur` mm, its end replaced by "…" when it is cut.
QString elider(const QString& texte, const Style& s, double largeur);

}  // namespace report::mesure
