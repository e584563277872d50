#include "platform/forms/variation.h"
#include <QHash>

namespace reglages {

const QString InfobulleRafraichir =
    QStringLiteral("Cliquez pour rafraîchir les données, dans le cas d'une utilisation multi-utilisateurs");
const QString InfobulleRafraichirSansAccent =
    QStringLiteral("Cliquez pour rafraichir les données, dans le cas d'une utilisation multi-utilisateurs");
const QString InfobulleRafraichirParametres =
    QStringLiteral("Cliquez pour rafraichier les données, dans le cas d'une utilisation multi-utilisateurs");

namespace {

Variation ligne(Ajout a, bool supprimer, bool rafraichir, ErreurDonnees e, Position p, Placement pl,
                Accepter acc, AuDechargement dech, bool validerPropre = false,
                const QString& infobulle = InfobulleRafraichir) {
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

using E = ErreurDonnees;
using P = Position;
using D = AuDechargement;

const QHash<QString, Variation>& table() {
    static const QHash<QString, Variation> t = {
        // The reference lists whose refresh tooltip is worded without the accent.
        {QStringLiteral("feuille_adresses"),
         ligne(Ajout::Grille, true, true, E::Message, P::Masquee, Placement::Centree, Accepter::Masque,
               D::RetirerAccepter, false, InfobulleRafraichirSansAccent)},
        {QStringLiteral("feuille_assurances"),
         ligne(Ajout::Grille, true, true, E::Message, P::Masquee, Placement::Centree, Accepter::Masque,
               D::RetirerAccepter, false, InfobulleRafraichirSansAccent)},
        {QStringLiteral("feuille_csp"),
         ligne(Ajout::Grille, true, true, E::Message, P::Masquee, Placement::Centree, Accepter::Masque,
               D::RetirerAccepter, false, InfobulleRafraichirSansAccent)},
        // The family picker leaves its "Accepter" to its accept operation.
        {QStringLiteral("feuille_choix_famille"),
         ligne(Ajout::Grille, true, true, E::Message, P::Masquee, Placement::Centree, Accepter::Masque,
               D::PointeurSeul)},
        {QStringLiteral("feuille_élève"),
         ligne(Ajout::Propre, true, true, E::Silencieuse, P::Fiche, Placement::Centree, Accepter::Aucun,
               D::PointeurSeul)},
        {QStringLiteral("feuille_famille"),
         ligne(Ajout::Propre, true, true, E::Silencieuse, P::Fiche, Placement::Decalee, Accepter::Aucun,
               D::PointeurSeul)},
        {QStringLiteral("feuille_équipe"),
         ligne(Ajout::NouvelleFiche, true, true, E::Silencieuse, P::NumeroSeul, Placement::Centree,
               Accepter::Desactive, D::RetirerAccepter)},
        {QStringLiteral("feuille_documents"),
         ligne(Ajout::NouvelleFiche, true, true, E::Silencieuse, P::Fiche, Placement::Centree,
               Accepter::Aucun, D::PointeurSeul, false, InfobulleRafraichirSansAccent)},
        {QStringLiteral("feuille_école"),
         ligne(Ajout::Aucun, false, true, E::Silencieuse, P::Masquee, Placement::Centree, Accepter::Aucun,
               D::PointeurSeul)},
        {QStringLiteral("feuille_inspection"),
         ligne(Ajout::Aucun, false, true, E::Silencieuse, P::Masquee, Placement::Centree, Accepter::Aucun,
               D::PointeurSeul)},
        {QStringLiteral("feuille_paramètres"),
         ligne(Ajout::Aucun, false, true, E::Silencieuse, P::Masquee, Placement::Centree, Accepter::Aucun,
               D::PointeurSeul, false, InfobulleRafraichirParametres)},
        {QStringLiteral("feuille_accès"),
         ligne(Ajout::Aucun, false, false, E::Message, P::Masquee, Placement::Centree, Accepter::Aucun,
               D::PointeurSeul, true)},
    };
    return t;
}

}  // namespace

Variation variation_de(const QString& nomFenetre) {
    return table().value(nomFenetre, Variation{});
}

}  // namespace reglages
