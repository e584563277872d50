#include "platform/forms/descriptions_fenetres.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/erreur.h"
#include "platform/forms/lignes_ajoutees.h"
#include <QComboBox>
#include <QSignalBlocker>

namespace forms {

namespace {
std::deque<DescriptionFenetre>& registre() {
    static std::deque<DescriptionFenetre> d;
    return d;
}
}  // namespace

void placer_tri(QComboBox* boite, int entree) {
    const QSignalBlocker bloque(boite);
    boite->setCurrentIndex(entree);
    boite->setProperty(EntreeTriEnCours, entree);
}

void ajouter_descriptions(const QVector<DescriptionFenetre>& nouvelles) {
    ajouter_lignes(registre(), nouvelles,
                   [](const DescriptionFenetre& a, const DescriptionFenetre& b) { return a.nom == b.nom; });
}

const std::deque<DescriptionFenetre>& descriptions() { return registre(); }

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

DescriptionFenetre fenetre_simple(const QString& nom) {
    DescriptionFenetre d;
    d.nom = nom;
    return d;
}

DescriptionFenetre fenetre_liee(const QString& nom, const char* table, const char* liant,
                                const forms::Variation& variation, SurErreur surErreur, const char* source) {
    DescriptionFenetre d;
    d.nom = nom;
    d.table = QString::fromUtf8(table);
    d.source = *source ? QString::fromUtf8(source) : QStringLiteral("SELECT * FROM ") + d.table;
    d.liant = QString::fromUtf8(liant);
    d.surErreur = surErreur;
    d.variation = variation;
    return d;
}

}  // namespace forms

namespace forms {

Variation variation(Ajout a, bool supprimer, bool rafraichir, ErreurDonnees e, Legende p, Placement pl,
                    Accepter acc, AuDechargement dech, bool validerPropre, const QString& infobulle) {
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

}  // namespace forms
