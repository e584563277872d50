#include "reports/formules_document.h"

#include "platform/db/dialecte.h"
#include "platform/report/crystal_report.h"
#include "partage/module1.h"

namespace documents {

const std::array<Emplacement, NombreFormules>& emplacements() {
    static const std::array<Emplacement, NombreFormules> t = {{
        {"date_contrôlée", "Check5", true},
        {"nom_responsable_contrôlé", "Check2", false},
        {"adresse_responsable_contrôlée", "Check2", false},
        {"adresse2_responsable_contrôlée", "Check2", false},
        {"ville_responsable_contrôlée", "Check2", false},
        {"titre_document", "titre", true},
        {"destinataire_document", "destinataire", true},
        {"paragraphe1", "paragraphe1", true},
        {"nom_directeur_contrôlé", "Check3", true},
        {"paragraphe2", "paragraphe2", true},
        {"élève_contrôlé", "Check1", true},
        {"élève_contrôlé2", "Check1", true},
        {"élève_contrôlé3", "Check1", true},
        {"paragraphe3", "paragraphe3", true},
        {"paragraphe4", "paragraphe4", true},
        {"paragraphe5", "paragraphe5", true},
        {"paragraphe6", "paragraphe6", true},
        {"politesse", "politesse", true},
        {"signature_contrôlée", "Check4", true},
        {"cachet_contrôlé", "Check4", true},
        {"postscriptum", "post_scriptum", true},
    }};
    return t;
}

bool par_case(int emplacement) {
    return QString::fromUtf8(emplacements()[emplacement].controle).startsWith(QLatin1String("Check"));
}

QString formule(int emplacement, const QString& valeur) {
    const Emplacement& e = emplacements()[emplacement];
    return QString::fromUtf8(e.nom) + (e.blanc ? QStringLiteral("= ") : QStringLiteral("=")) +
           db::dialecte::entre_guillemets(valeur);
}

QStringList formules(const Gabarit& g, const Valeurs& v) {
    QStringList r;
    for (int i = 0; i < NombreFormules; ++i) {
        const QString controle = QString::fromUtf8(emplacements()[i].controle);
        if (par_case(i)) {
            r.append(g.cochees.contains(controle) && v[i] ? formule(i, *v[i]) : QString());
        } else {
            const QString texte = g.textes.value(controle);
            r.append(texte.isEmpty() ? QString() : formule(i, texte));
        }
    }
    return r;
}

QString selection_document(const QString& nom) {
    return QStringLiteral("{documents.intitulé_bouton} = ") + db::dialecte::entre_guillemets(nom);
}

QString critere_document(const QString& nom) {
    return db::dialecte::critere_cle(QStringLiteral("intitulé_bouton"), nom);
}

void imprimer_document(const QStringList& formules, const QString& selection, bool imprimante) {
    auto& cr = report::CrystalReport1();
    cr.setReportFileName(Module1::chemin_programme + QStringLiteral("document.rpt"));
    cr.setDataFiles(0, Module1::chemin_base);
    for (int i = 0; i < NombreFormules; ++i) cr.setFormulas(i, formules.value(i));
    cr.setSelectionFormula(selection);
    if (imprimante) {
        cr.setDestination(report::destination::Imprimante);
    } else {
        cr.setDestination(report::destination::Fenetre);
        cr.setWindowState(2);
    }
    cr.setAction(1);
}

}  // namespace documents
