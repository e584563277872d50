#include "platform/texte/constantes.h"

namespace constantes {

qsizetype lire_texte(const QString& t, qsizetype debut, QString& valeur) {
    const QChar guillemet = t[debut];
    valeur.clear();
    for (qsizetype i = debut + 1; i < t.size(); ++i) {
        if (t[i] != guillemet) {
            valeur += t[i];
            continue;
        }
        if (i + 1 < t.size() && t[i + 1] == guillemet) {
            valeur += guillemet;
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

qsizetype lire_nombre(const QString& t, qsizetype debut, bool virgule, QString& valeur) {
    const auto chiffres = [&](qsizetype i) {
        while (i < t.size() && t[i].isDigit()) ++i;
        return i;
    };
    qsizetype fin = chiffres(debut);
    valeur = t.mid(debut, fin - debut);
    const bool separateur = fin < t.size() && (t[fin] == u'.' || (virgule && t[fin] == u','));
    if (separateur && fin + 1 < t.size() && t[fin + 1].isDigit()) {
        const qsizetype decimales = chiffres(fin + 1);
        valeur += QLatin1Char('.') + t.mid(fin + 1, decimales - fin - 1);
        fin = decimales;
    }
    return fin;
}

}  // namespace constantes
