#pragma once
// Six-digit record numbers: the pupils' matricules and the families' references.
#include <QString>

namespace numerotation {

// A number written with at least six digits ("42" gives "000042", a longer number keeps its
// digits); a text that is not a number is returned unchanged.
QString six_chiffres(const QString& texte);

// The number that follows `dernier` ("000041" gives "000042"); 13 when `dernier` is not a
// number.
QString suivant(const QString& dernier);

}  // namespace numerotation
