#include "platform/db/erreurs_moteur.h"
#include <QDir>

namespace db {

namespace {
struct Texte { int numero; const char* texte; };

// The texts as the user reads them after "... a rencontré l'erreur : <numéro>". A throw site
// adds only what it alone knows (the field, the file, the typed value), never another text.
constexpr Texte textes[] = {
    // Run-time errors of the program outside the engine.
    {erreurs_execution::AppelIncorrect, "Argument ou appel de procédure incorrect."},
    {erreurs_execution::TypeIncompatible, "Type incompatible."},
    {erreurs_execution::NomFichierIncorrect, "Nom ou numéro de fichier incorrect."},
    {erreurs_execution::FichierIntrouvable, "Fichier introuvable."},
    {erreurs_execution::FichierDejaOuvert, "Fichier déjà ouvert."},
    {erreurs_execution::FichierExistant, "Ce fichier existe déjà."},
    {erreurs_execution::PermissionRefusee, "Permission refusée."},
    {erreurs_execution::AccesFichier, "Erreur d'accès au chemin/fichier."},
    {erreurs_execution::CheminIntrouvable, "Chemin d'accès introuvable."},
    {erreurs_execution::VariableObjet, "Variable objet ou variable de bloc With non définie."},
    {erreurs_execution::ImageIncorrecte, "Image incorrecte."},
    {erreurs_execution::ImprimanteAbsente, "Erreur d'imprimante."},
    // The engine's.
    {erreurs::ErreurMoteur, "Erreur du moteur de base de données."},
    {erreurs::ArgumentInvalide, "Argument non valide."},
    {erreurs::MiseAJourSansEdition, "Mise à jour ou annulation sans AddNew ni Edit."},
    {erreurs::AucunEnregistrement, "Aucun enregistrement en cours."},
    {erreurs::Doublon, "Les modifications n'ont pas été effectuées car elles auraient créé des doublons "
                       "dans l'index, la clé primaire ou la relation."},
    {erreurs::FichierIntrouvable, "Fichier introuvable."},
    {erreurs::DisquePlein, "Le disque est plein : l'opération n'a pas été faite et rien n'a été modifié. "
                           "Libérez de la place sur le disque, puis réessayez."},
    {erreurs::LectureSeule, "Mise à jour impossible : le fichier de la base de données est en lecture seule "
                            "(fichier protégé, dossier sans droit d'écriture ou support non inscriptible)."},
    {erreurs::EntreeSortie, "Erreur de lecture ou d'écriture sur le disque ou le réseau : l'opération n'a pas "
                            "été faite. Vérifiez le disque ou la connexion au partage, puis réessayez."},
    {erreurs::FichierRemplace, "Le fichier de la base de données a été remplacé, déplacé ou supprimé depuis son "
                               "ouverture : rien n'a été enregistré. Rouvrez la base de données."},
    {erreurs::CheminInvalide, "Chemin d'accès non valide."},
    {erreurs::FichierOccupe, "Impossible d'ouvrir la base de données : un autre poste de travail la "
                             "verrouille en ce moment. Réessayez dans un instant."},
    {erreurs::BaseEndommagee, "Le fichier de la base de données est endommagé : une partie de son contenu ne peut "
                              "plus être lue, et l'opération n'a pas été faite. Sauvegardez-le tel qu'il est "
                              "(« Sauvegarder » dans le choix de la base de données) pour garder ce qui peut l'être."},
    {erreurs::OuvertureImpossible, "Impossible d'ouvrir le fichier."},
    {erreurs::SyntaxeRequete, "Erreur de syntaxe dans l'expression de la requête."},
    {erreurs::SyntaxeCritere, "Erreur de syntaxe dans le critère de recherche."},
    {erreurs::TableIntrouvable, "Table ou requête introuvable."},
    {erreurs::SignetInvalide, "Signet non valide."},
    {erreurs::ChampTropPetit, "Le champ est trop petit pour accepter la quantité de données que vous avez "
                              "tenté d'ajouter."},
    // The engine sees only that the row is gone or holds something else: the texts name what
    // may have done it (this workstation's own initialisation of the table included) without
    // claiming which.
    {erreurs::EnregistrementSupprime, "Cette fiche n'existe plus dans la base de données : elle a été supprimée "
                                      "depuis que vous l'avez affichée (par une suppression ou une initialisation "
                                      "de la table, sur ce poste ou sur un autre)."},
    {erreurs::ModifieAilleurs, "Cette fiche a été modifiée ou remplacée dans la base de données depuis que vous "
                               "l'avez affichée (sur ce poste ou sur un autre) : vos modifications n'ont pas été "
                               "enregistrées. Cliquez sur « Rafraîchir » pour voir ce qu'elle contient maintenant."},
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

void lever_sur_champ(int numero, const QString& champ, const QString& detail) {
    Erreur e(numero, texte_erreur(numero) + detail);
    e.champ = champ;
    throw e;
}

QString fichier_concerne(const QString& chemin) {
    return QStringLiteral(" Fichier concerné : « %1 ».").arg(QDir::toNativeSeparators(chemin));
}

}  // namespace db
