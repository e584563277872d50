#include "records/numerotation.h"
#include "platform/erreur.h"
#include <cmath>

namespace numerotation {

namespace {
// The text read as a number: decimals round to the nearest whole number.
bool nombre(const QString& texte, qlonglong& n) {
    bool ok = false;
    const QString t = texte.trimmed();
    n = t.toLongLong(&ok);
    if (ok) return true;
    QString decimal = t;
    decimal.replace(QLatin1Char(','), QLatin1Char('.'));
    const double d = decimal.toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 1e15) return false;
    n = std::llround(d);
    return true;
}

QString ecrire(qlonglong n) {
    const QString chiffres = QString::number(n < 0 ? -n : n).rightJustified(6, QLatin1Char('0'));
    return n < 0 ? QLatin1Char('-') + chiffres : chiffres;
}
}  // namespace

QString six_chiffres(const QString& texte) {
    qlonglong n = 0;
    return nombre(texte, n) ? ecrire(n) : texte;
}

QString suivant(const QString& dernier) {
    qlonglong n = 0;
    if (!nombre(dernier, n)) throw Erreur(erreurs_execution::TypeIncompatible, QStringLiteral("Type incompatible."));
    return ecrire(n + 1);
}

}  // namespace numerotation
