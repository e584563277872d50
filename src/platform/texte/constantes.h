#pragma once
// The constants of the small languages the program reads (statements and find criteria,
// selection formulas), read one way for all of them.
#include <QString>

namespace constantes {

// The text constant opened by the quote at `debut` (" or '): its value, a doubled quote
// inside standing for one. Returns the position after the closing quote, or -1 when the
// constant is not closed.
qsizetype lire_texte(const QString& t, qsizetype debut, QString& valeur);

// The number that starts with the digit at `debut`: digits, then a decimal separator followed
// by digits. The separator is the point, or the comma too when `virgule` (a formula typed by a
// French user writes "3,5"; where commas separate the items of a list, "3,5" is two numbers).
// Returns the position after the number; `valeur` is its text with a point as separator.
qsizetype lire_nombre(const QString& t, qsizetype debut, bool virgule, QString& valeur);

}  // namespace constantes
