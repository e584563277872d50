// Emptying the families, the pupils, or the eight tables connected to the school: three
// questions, then one statement per table on the working database, outside any transaction
// (tables emptied before a failure stay empty).
#include "shell/initialisation.h"
#include "platform/forms/commandes.h"
#include "shell/module1.h"
#include "platform/db/base_donnees.h"
#include "platform/forms/boites.h"
#include <QStringList>

namespace shell::initialisation {

namespace {

struct Initialisation {
    const char* menu;
    const char* question;
    const char* surete;     // first part of the second question
    const char* derniere;   // first part of the last question
    const char* effectuee;
    const char* tables;     // emptied in this order
};

const Initialisation initialisations[] = {
    {"menuutilitairesindex1", "Voulez-vous initialiser la table des familles?",
     "Initialisation de la table des familles : êtes-vous sûr?",
     "Dernière demande avant initialisation de la table des familles...",
     "Initialisation de la table des familles effectuée!", "familles"},
    {"menuutilitairesindex2", "Voulez-vous initialiser la table des élèves?",
     "Initialisation de la table des élèves : êtes-vous sûr?",
     "Dernière demande avant initialisation de la table des élèves...",
     "Initialisation de la table des élèves effectuée!", "élèves"},
    {"menuutilitairesindex3",
     "Voulez-vous initialiser les tables connexes (tables des adresses, assurances, école, équipe, hôpitaux, "
     "inspection, médecins, villes)?",
     "Initialisation des tables connexes : êtes-vous sûr?",
     "Dernière demande avant initialisation des tables connexes...",
     "Initialisation des tables connexes effectuée!",
     "adresses assurances école équipe hôpitaux inspection médecins villes"},
};

// Each question defaults to No: Enter pressed without reading empties nothing.
bool oui(const QString& question) {
    return forms::boite_message(question, forms::styles::OuiNon + forms::styles::Question +
                                              forms::styles::DeuxiemeParDefaut) == forms::Oui;
}

void initialiser(const Initialisation& i) {
    if (!oui(QString::fromUtf8(i.question))) return;
    if (!oui(QString::fromUtf8(i.surete) +
             QStringLiteral("\n\nCette opération supprime irrémédiablement toutes les fiches...\n\n"
                            "Il est fortement conseillé d'effectuer une sauvegarde complète de la base de données "
                            "avant d'effectuer une opération d'initialisation...")))
        return;
    if (!oui(QString::fromUtf8(i.derniere) + QStringLiteral("\n\nConfirmez-vous votre demande?"))) return;
    auto base = db::moteur::OpenDatabase(Module1::chemin_base);
    for (const QString& table : QString::fromUtf8(i.tables).split(QLatin1Char(' ')))
        base->Execute(QStringLiteral("DELETE * FROM ") + table);
    base->Close();
    forms::boite_message(QString::fromUtf8(i.effectuee), forms::styles::Information);
}

}  // namespace

void enregistrer_commandes() {
    for (const Initialisation& i : initialisations)
        forms::definir_commande(QString::fromUtf8(i.menu), [&i] { initialiser(i); });
}

}  // namespace shell::initialisation
