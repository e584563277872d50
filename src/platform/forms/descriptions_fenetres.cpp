#include "platform/forms/descriptions_fenetres.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/erreur.h"
#include "platform/forms/noms_feuilles.h"

namespace forms {

namespace {

using reglages::Accepter;
using reglages::Ajout;
using reglages::Placement;
using reglages::Variation;
using E = reglages::ErreurDonnees;
using P = reglages::Position;
using D = reglages::AuDechargement;

Variation variation(Ajout a, bool supprimer, bool rafraichir, E e, P p, Placement pl, Accepter acc, D dech,
                    bool validerPropre = false, const QString& infobulle = reglages::InfobulleRafraichir) {
    Variation v;
    v.ajout = a;
    v.supprimer = supprimer;
    v.rafraichir = rafraichir;
    v.erreur = e;
    v.position = p;
    v.placement = pl;
    v.accepter = acc;
    v.dechargement = dech;
    v.validerPropre = validerPropre;
    v.infobulleRafraichir = infobulle;
    return v;
}

// A window without a table.
DescriptionFenetre simple(const QString& nom) { return {nom, {}, {}, {}, SurErreur::Passer, {}}; }

// A window bound to a table by its binder; `source` "" reads the whole table.
DescriptionFenetre liee(const QString& nom, const char* table, const char* liant, Variation v = {},
                        SurErreur surErreur = SurErreur::Passer, const char* source = "") {
    const QString t = QString::fromUtf8(table);
    const QString s = *source ? QString::fromUtf8(source) : QStringLiteral("SELECT * FROM ") + t;
    return {nom, t, s, QString::fromUtf8(liant), surErreur, v};
}

// The reference lists whose refresh tooltip is worded without the accent.
Variation liste_sans_accent() {
    Variation v;
    v.infobulleRafraichir = reglages::InfobulleRafraichirSansAccent;
    return v;
}

}  // namespace

const QVector<DescriptionFenetre>& descriptions() {
    static const QVector<DescriptionFenetre> t = {
        simple(noms::MDIForm1),
        simple(noms::accueil),
        simple(noms::login),
        simple(noms::patientez),
        simple(noms::options),
        liee(noms::choix_base, "passe", "ouvrir_table_passe_choix", {}, SurErreur::Boite),
        simple(noms::chemin),
        simple(noms::copyright),
        liee(noms::acces, "passe", "ouvrir_table_passe_acces",
             variation(Ajout::Aucun, false, false, E::Message, P::Masquee, Placement::Centree, Accepter::Aucun,
                       D::PointeurSeul, true),
             SurErreur::Boite),

        liee(noms::eleve, "élèves", "ouvrir_table_eleves",
             variation(Ajout::Propre, true, true, E::Silencieuse, P::Fiche, Placement::Centree, Accepter::Aucun,
                       D::PointeurSeul),
             SurErreur::Passer, "SELECT * FROM élèves ORDER BY matricule ASC"),
        liee(noms::famille, "familles", "ouvrir_table_familles",
             variation(Ajout::Propre, true, true, E::Silencieuse, P::Fiche, Placement::Decalee, Accepter::Aucun,
                       D::PointeurSeul),
             SurErreur::Passer,
             "SELECT * FROM familles ORDER BY nom_responsable_légal ASC, prénom_responsable_légal ASC"),
        // The family picker leaves its "Accepter" to its accept operation.
        liee(noms::choix_famille, "familles", "ouvrir_table_choix_famille",
             variation(Ajout::Grille, true, true, E::Message, P::Masquee, Placement::Centree, Accepter::Masque,
                       D::PointeurSeul)),
        simple(noms::choix_photo),

        liee(noms::ecole, "école", "ouvrir_table_ecole",
             variation(Ajout::Aucun, false, true, E::Silencieuse, P::Masquee, Placement::Centree, Accepter::Aucun,
                       D::PointeurSeul)),
        liee(noms::inspection, "inspection", "ouvrir_table_inspection",
             variation(Ajout::Aucun, false, true, E::Silencieuse, P::Masquee, Placement::Centree, Accepter::Aucun,
                       D::PointeurSeul)),
        liee(noms::equipe, "équipe", "ouvrir_table_equipe",
             variation(Ajout::NouvelleFiche, true, true, E::Silencieuse, P::NumeroSeul, Placement::Centree,
                       Accepter::Desactive, D::RetirerAccepter)),
        liee(noms::parametres, "paramètres", "ouvrir_table_parametres",
             variation(Ajout::Aucun, false, true, E::Silencieuse, P::Masquee, Placement::Centree, Accepter::Aucun,
                       D::PointeurSeul, false, reglages::InfobulleRafraichirParametres),
             SurErreur::Boite),

        liee(noms::adresses, "adresses", "ouvrir_table_adresses", liste_sans_accent()),
        liee(noms::assurances, "assurances", "ouvrir_table_assurances", liste_sans_accent()),
        liee(noms::csp, "csp", "ouvrir_table_csp", liste_sans_accent()),
        liee(noms::hopitaux, "hôpitaux", "ouvrir_table_hopitaux"),
        liee(noms::medecins, "médecins", "ouvrir_table_medecins"),
        liee(noms::langues_vivantes, "langues_vivantes", "ouvrir_table_langues_vivantes"),
        liee(noms::nationalites, "nationalités", "ouvrir_table_nationalites"),
        liee(noms::sexe, "sexe", "ouvrir_table_sexe"),
        liee(noms::villes, "villes", "ouvrir_table_villes"),
        liee(noms::situations_familiales, "situations_familiales", "ouvrir_table_situations_familiales"),
        liee(noms::niveaux, "niveaux", "ouvrir_table_niveaux"),
        liee(noms::genres, "genres", "ouvrir_table_genres"),
        liee(noms::assertions, "assertions", "ouvrir_table_assertions"),

        simple(noms::traitements),
        liee(noms::documents, "documents", "ouvrir_table_documents",
             variation(Ajout::NouvelleFiche, true, true, E::Silencieuse, P::Fiche, Placement::Centree,
                       Accepter::Aucun, D::PointeurSeul, false, reglages::InfobulleRafraichirSansAccent)),
    };
    return t;
}

const DescriptionFenetre& description(const QString& nom) {
    for (const DescriptionFenetre& d : descriptions())
        if (d.nom == nom) return d;
    db::lever(erreurs_execution::AppelIncorrect, QStringLiteral(" (fenêtre « %1 »)").arg(nom));
}

const DescriptionFenetre* description_du_liant(const QString& liant) {
    if (liant.isEmpty()) return nullptr;
    for (const DescriptionFenetre& d : descriptions())
        if (d.liant == liant) return &d;
    return nullptr;
}

}  // namespace forms
