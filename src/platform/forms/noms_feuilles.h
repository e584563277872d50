#pragma once
// The name of every window of the program, in one place. Code reaches a window through the
// registry by one of these names; each is also the window's objectName.
#include <QString>

namespace noms {

inline const QString MDIForm1 = QStringLiteral("MDIForm1");
inline const QString accueil = QStringLiteral("feuille_accueil");
inline const QString login = QStringLiteral("feuille_login");
inline const QString patientez = QStringLiteral("feuille_patientez");
inline const QString options = QStringLiteral("feuille_options");
inline const QString choix_base = QStringLiteral("feuille_choix_base");
inline const QString chemin = QStringLiteral("feuille_chemin");
inline const QString copyright = QStringLiteral("feuille_copyright");
inline const QString acces = QStringLiteral("feuille_accès");

inline const QString eleve = QStringLiteral("feuille_élève");
inline const QString famille = QStringLiteral("feuille_famille");
inline const QString choix_famille = QStringLiteral("feuille_choix_famille");
inline const QString choix_photo = QStringLiteral("feuille_choix_photo");

inline const QString ecole = QStringLiteral("feuille_école");
inline const QString inspection = QStringLiteral("feuille_inspection");
inline const QString equipe = QStringLiteral("feuille_équipe");
inline const QString parametres = QStringLiteral("feuille_paramètres");

inline const QString adresses = QStringLiteral("feuille_adresses");
inline const QString assurances = QStringLiteral("feuille_assurances");
inline const QString csp = QStringLiteral("feuille_csp");
inline const QString hopitaux = QStringLiteral("feuille_hôpitaux");
inline const QString medecins = QStringLiteral("feuille_médecins");
inline const QString langues_vivantes = QStringLiteral("feuille_langues_vivantes");
inline const QString nationalites = QStringLiteral("feuille_nationalités");
inline const QString sexe = QStringLiteral("feuille_sexe");
inline const QString villes = QStringLiteral("feuille_villes");
inline const QString situations_familiales = QStringLiteral("feuille_situations_familiales");
inline const QString niveaux = QStringLiteral("feuille_niveaux");
inline const QString genres = QStringLiteral("feuille_genres");
inline const QString assertions = QStringLiteral("feuille_assertions");

inline const QString apercu = QStringLiteral("aperçu_rapport");
inline const QString traitements = QStringLiteral("feuille_traitements");
inline const QString documents = QStringLiteral("feuille_documents");

}  // namespace noms
