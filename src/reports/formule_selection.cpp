#include "reports/formule_selection.h"
#include "platform/forms/noms_feuilles.h"

#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include "platform/report/crystal_report.h"
#include "reports/feuille_traitements.h"

#include <QLineEdit>
#include <QStringList>

namespace reports {

QString formule_selection(const QString& cycle, const QString& niveau, const QString& classe) {
    // The comparisons are exact: "tous" or "TOUS " filter on that very text. The typed value
    // goes between double quotes with its own double quotes doubled, so that it is found as
    // typed and nothing typed (x" OR "1"="1) can change what the formula selects.
    struct Filtre { const QString& texte; const char* tous; const char* champ; };
    const Filtre filtres[] = {
        {cycle, "TOUS", "{élèves.cycle_classe_élève} = "},
        {niveau, "TOUS", "{élèves.niveau_classe_élève} = "},
        {classe, "TOUTES", "{élèves.référence_classe_élève} = "},
    };
    QStringList parties;
    for (const Filtre& f : filtres) {
        if (f.texte != QString::fromUtf8(f.tous))
            parties << QString::fromUtf8(f.champ) + '"' + QString(f.texte).replace('"', QLatin1String("\"\"")) + '"';
    }
    return parties.join(QStringLiteral(" AND "));
}

QString libelle_filtre(const QString& cycle, const QString& niveau, const QString& classe) {
    const QString texte = QStringLiteral("Cycle : %1 - Niveau : %2 - Classe : %3")
                              .arg(cycle.trimmed(), niveau.trimmed(), classe.trimmed());
    return QStringLiteral("filtre = \"") + QString(texte).replace('"', QLatin1String("\"\"")) + '"';
}

}  // namespace reports

namespace Module1 {

void construire_formule_selection() {
    forms::pieger([] {
        auto& f = forms::Feuilles::obtenir<forms::Feuille>(noms::traitements);
        const QString cycle = f.controle<QLineEdit>("Text1")->text();
        const QString niveau = f.controle<QLineEdit>("Text2")->text();
        const QString classe = f.controle<QLineEdit>("Text3")->text();
        report::CrystalReport1().setSelectionFormula(QString());
        report::CrystalReport1().setSelectionFormula(reports::formule_selection(cycle, niveau, classe));
        report::CrystalReport1().setFormulas(reports::FormuleFiltre, reports::libelle_filtre(cycle, niveau, classe));
    });
}

}  // namespace Module1
