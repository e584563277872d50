#pragma once
// A pupil's age in years, months and days, as the window shows it beside the birth date.
#include <QDate>
#include <QString>

namespace eleve {

// A birth date typed day first ("JJ/MM/AAAA"); an invalid QDate for any other text.
QDate lire_date(const QString& texte);

// "7 a - 3 m - 12 j" on `aujourdhui`; "## erreur ##" for a birth after that day. Before the
// day of birth in the month, the days are counted from the birthday in the month before
// `aujourdhui` (from its last day when it has fewer days), with that month's real length.
QString age(const QDate& naissance, const QDate& aujourdhui);

}  // namespace eleve
