#include "reports/elements_traitements.h"
#include "platform/forms/boites.h"

namespace reports {

namespace {

const QString Aine = QStringLiteral("{élèves.ainé} = True");

ElementTraitement filtre(int liste, const char* libelle, const char* modele) {
    ElementTraitement e;
    e.liste = liste;
    e.libelle = QString::fromUtf8(libelle);
    e.modele = QString::fromUtf8(modele);
    return e;
}

ElementTraitement propre(int liste, const char* libelle, const char* modele, const QString& formule) {
    ElementTraitement e = filtre(liste, libelle, modele);
    e.formule = formule;
    return e;
}

ElementTraitement avec_message(ElementTraitement e, const char* message, int style) {
    e.message = QString::fromUtf8(message);
    e.style_message = style;
    return e;
}

ElementTraitement separateur(int liste) {
    ElementTraitement e;
    e.liste = liste;
    e.libelle = Separateur;
    return e;
}

QVector<ElementTraitement> construire() {
    ElementTraitement electorale =
        avec_message(propre(2, "Liste électorale", "liste_électorale.rpt", Aine),
                     "Voulez-vous éditer une liste électorale sans l'indication des adresses?",
                     forms::styles::OuiNon + forms::styles::Avertissement);
    electorale.modele_si_non = QStringLiteral("liste_électorale2.rpt");

    return {
        filtre(1, "Répartition par sexes", "stat_sexes.rpt"),
        filtre(1, "Répartition par nationalités", "stat_nationalités.rpt"),
        filtre(1, "Répartition par situations familiales", "stat_familles.rpt"),
        filtre(1, "Répartition par CSP des responsables légaux", "stat_csp1.rpt"),
        filtre(1, "Répartition par CSP des conjoints", "stat_csp2.rpt"),
        filtre(1, "Répartition par villes de résidence", "stat_villes.rpt"),
        filtre(1, "Répartition par langues vivantes", "stat_langues.rpt"),
        filtre(1, "Répartition par cycles", "stat_cycles.rpt"),
        filtre(1, "Répartition par niveaux", "stat_niveaux.rpt"),
        filtre(1, "Répartition par classes", "stat_classes.rpt"),
        filtre(1, "Répartition par âges", "stat_ages.rpt"),

        filtre(2, "Liste de classes (alphabétique)", "liste_classes.rpt"),
        filtre(2, "Liste de classes (âge décroissant)", "liste_classes2.rpt"),
        filtre(2, "Liste de classes (âge croissant)", "liste_classes3.rpt"),
        filtre(2, "Liste de présences mensuelles", "liste_présences.rpt"),
        filtre(2, "Liste de pointage", "liste_pointages.rpt"),
        filtre(2, "Liste de notation", "liste_notations.rpt"),
        separateur(2),
        electorale,
        filtre(2, "Liste Mairie", "liste_mairie.rpt"),
        avec_message(propre(2, "Liste Association", "liste_ape.rpt",
                            Aine + QStringLiteral(" AND {familles.communication_données} = \"oui\"")),
                     "Seules les familles ayant accordé l'autorisation de communiquer leurs données "
                     "personnelles non-confidentielles sont concernées par cette liste.",
                     forms::styles::Information),
        avec_message(propre(2, "Liste A", "liste_listea.rpt", QStringLiteral("{élèves.niveau_classe_élève} = \"CM2\"")),
                     "Seules les classes de CM2 sont concernées par la LISTE A.", forms::styles::Information),
        avec_message(filtre(2, "Liste B", "liste_listeb.rpt"),
                     "Seuls les élèves de 12 ans (et +), scolarisés dans des classes inférieures "
                     "au CM2, sont concernés par la LISTE B.",
                     forms::styles::Information),
        separateur(2),
        filtre(2, "Registre matricule", "registre1.rpt"),

        propre(3, "Etiquettes électorales", "étiquet_adresse1.rpt", Aine),
        filtre(3, "Etiquettes adresses sur sélection", "étiquet_adresse2.rpt"),
        separateur(3),
        filtre(3, "Etiquettes cahiers", "étiquet_cahiers.rpt"),

        filtre(4, "Fiches des familles", "fiche_famille.rpt"),
        filtre(4, "Fiches des élèves", "fiche_enfant.rpt"),
        separateur(4),
        propre(4, "Fiche vierge", "fiche_vierge.rpt", QString()),
    };
}

}  // namespace

const QVector<ElementTraitement>& elements_traitements() {
    static const QVector<ElementTraitement> elements = construire();
    return elements;
}

QVector<ElementTraitement> elements_de_liste(int liste) {
    QVector<ElementTraitement> r;
    for (const auto& e : elements_traitements())
        if (e.liste == liste) r << e;
    return r;
}

}  // namespace reports
