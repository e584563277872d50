#include "records/age.h"
#include <algorithm>

namespace eleve {

QDate lire_date(const QString& texte) {
    return QDate::fromString(texte.trimmed(), QStringLiteral("d/M/yyyy"));
}

QString age(const QDate& naissance, const QDate& aujourdhui) {
    int a = aujourdhui.year() - naissance.year();
    int m = aujourdhui.month() - naissance.month();
    int j = aujourdhui.day() - naissance.day();
    if (m < 0) {
        a -= 1;
        m += 12;
    }
    if (j < 0) {
        m -= 1;
        if (m < 0) {
            a -= 1;
            m += 12;
        }
        // Counted from the birthday in the month before, or from that month's last day when it
        // is shorter than the day of birth.
        const int mois = aujourdhui.addMonths(-1).daysInMonth();
        j = aujourdhui.day() + mois - std::min(naissance.day(), mois);
    }
    if (a < 0) return QStringLiteral("## erreur ##");
    return QStringLiteral("%1 a - %2 m - %3 j").arg(a).arg(m).arg(j);
}

}  // namespace eleve
