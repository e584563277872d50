#include "platform/forms/variation.h"
#include "platform/forms/descriptions_fenetres.h"

namespace forms {

const QString InfobulleRafraichir =
    QStringLiteral("Cliquez pour rafraîchir les données, dans le cas d'une utilisation multi-utilisateurs");
const QString InfobulleRafraichirSansAccent =
    QStringLiteral("Cliquez pour rafraichir les données, dans le cas d'une utilisation multi-utilisateurs");

Variation variation_de(const QString& nomFenetre) { return forms::description(nomFenetre).variation; }

}  // namespace forms
