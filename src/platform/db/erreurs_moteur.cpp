#include "platform/db/erreurs_moteur.h"
#include <QHash>

namespace db {

namespace {
struct Texte { int numero; const char* texte; };

// The texts as the user reads them after "... a rencontré l'erreur : <numéro>".
constexpr Texte textes[] = {
    {erreurs::ErreurMoteur, "Erreur du moteur de base de données."},
    {erreurs::ArgumentInvalide, "Argument non valide."},
    {erreurs::MiseAJourSansEdition, "Mise à jour ou annulation sans AddNew ni Edit."},
    {erreurs::AucunEnregistrement, "Aucun enregistrement en cours."},
    {erreurs::Doublon, "Les modifications n'ont pas été effectuées car elles auraient créé des doublons "
                       "dans l'index, la clé primaire ou la relation."},
    {erreurs::FichierIntrouvable, "Fichier introuvable."},
    {erreurs::LectureSeule, "Mise à jour impossible : la base de données ou l'objet est en lecture seule."},
    {erreurs::FichierRemplace, "Le fichier de la base de données a été remplacé, déplacé ou supprimé depuis son "
                               "ouverture : rien n'a été enregistré. Rouvrez la base de données."},
    {erreurs::CheminInvalide, "Chemin d'accès non valide."},
    {erreurs::FichierOccupe, "Impossible d'utiliser le fichier : il est déjà en cours d'utilisation."},
    {erreurs::OuvertureImpossible, "Impossible d'ouvrir le fichier."},
    {erreurs::SyntaxeRequete, "Erreur de syntaxe dans l'expression de la requête."},
    {erreurs::SyntaxeCritere, "Erreur de syntaxe dans le critère de recherche."},
    {erreurs::TableIntrouvable, "Table ou requête introuvable."},
    {erreurs::SignetInvalide, "Signet non valide."},
    {erreurs::ChampTropPetit, "Le champ est trop petit pour accepter la quantité de données que vous avez "
                              "tenté d'ajouter."},
    {erreurs::EnregistrementSupprime, "L'enregistrement a été supprimé entre-temps (par un autre poste de "
                                      "travail)."},
    {erreurs::ModifieAilleurs, "Un autre poste de travail a modifié cet enregistrement depuis que vous l'avez lu : "
                               "vos modifications n'ont pas été enregistrées. Cliquez sur « Rafraîchir » pour "
                               "voir sa version."},
    {erreurs::BaseExistante, "Cette base de données existe déjà."},
    {erreurs::Verrouille, "La base de données est verrouillée par un autre poste de travail : rien n'a été "
                          "enregistré. Réessayez dans un instant."},
    {erreurs::ElementIntrouvable, "Élément non trouvé dans cette collection."},
    {erreurs::FormatNonReconnu, "Format de base de données non reconnu : ce fichier n'est pas une base de "
                                "données."},
    {erreurs::ObjetInvalide, "Objet invalide ou qui n'est plus défini (la base est fermée)."},
    {erreurs::ConversionType, "Erreur de conversion de type de données."},
    {erreurs::ActionAnnulee, "Cette action a été annulée par un objet associé."},
};
}  // namespace

QString texte_erreur(int numero) {
    for (const auto& t : textes)
        if (t.numero == numero) return QString::fromUtf8(t.texte);
    return {};
}

void lever(int numero, const QString& detail) {
    throw Erreur(numero, texte_erreur(numero) + detail);
}

}  // namespace db
