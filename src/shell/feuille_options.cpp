#include "shell/feuille_options.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/noms_feuilles.h"
#include "shell/module1.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/reactions.h"
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

namespace {
struct CaseOption {
    const char* nom;
    const char* libelle;
    const char* bulle;
};
const CaseOption cases[] = {
    {"Check1", "afficher la fenêtre de gestion des familles",
     "Cochez pour afficher automatiquement la fenêtre de gestion des familles au démarrage du logiciel"},
    {"Check2", "afficher la fenêtre de gestion des élèves",
     "Cochez pour afficher automatiquement la fenêtre de gestion des élèves au démarrage du logiciel"},
    {"Check3", "ouvrir le dernier fichier utilisé",
     "Cochez pour ouvrir automatiquement le dernier fichier utilisé au démarrage du logiciel"},
    {"Check4", "afficher la fenêtre d'exploitation des données", ""},
};
}  // namespace

FeuilleOptions::FeuilleOptions() : forms::Feuille(noms::options) {
    setCaption(QStringLiteral("Options de démarrage"));
    auto* disposition = new QVBoxLayout(this);
    auto* titre = new QLabel(QStringLiteral("Au démarrage du logiciel,"), this);
    titre->setObjectName(QStringLiteral("Label1"));
    disposition->addWidget(titre);
    for (const CaseOption& c : cases) {
        auto* caseACocher = new QCheckBox(QString::fromUtf8(c.libelle), this);
        caseACocher->setObjectName(QString::fromUtf8(c.nom));
        caseACocher->setToolTip(QString::fromUtf8(c.bulle));
        disposition->addWidget(caseACocher);
    }
    auto* fermer = forms::bouton(this, QStringLiteral("cmdFermer"), QStringLiteral("Accepter && &Fermer"),
                                 QStringLiteral("Cliquez pour fermer cette fenêtre"));
    disposition->addWidget(fermer, 0, Qt::AlignRight);
    forms::relier(fermer, &QPushButton::clicked, this, &FeuilleOptions::accepter);
    definirTaille(6300, 3300);
}

void FeuilleOptions::Form_Load() { Module1::centrer_feuille(*this); }

void FeuilleOptions::showEvent(QShowEvent* e) {
    forms::Feuille::showEvent(e);
    montrees_.clear();
    for (const CaseOption& c : cases) montrees_ << controle<QCheckBox>(QString::fromUtf8(c.nom))->checkState();
}

bool FeuilleOptions::echap() {
    for (qsizetype i = 0; i < montrees_.size(); ++i)
        controle<QCheckBox>(QString::fromUtf8(cases[i].nom))->setCheckState(montrees_[i]);
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    masquer();
    return true;
}

void FeuilleOptions::accepter() {
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    masquer();
    Module1::ecrire_options();
}

}  // namespace shell
