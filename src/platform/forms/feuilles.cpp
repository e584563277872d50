#include "platform/forms/feuilles.h"
#include "platform/db/erreurs_moteur.h"

#include "platform/erreur.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/controle_donnees.h"
#include <algorithm>

#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <map>

namespace forms {

namespace {

struct Registre {
    std::map<QString, std::function<Feuille*()>> fabriques;
    QHash<QString, Feuille*> chargees;
    QPointer<QMdiArea> zone;
};

Registre& registre() {
    static Registre r;
    return r;
}

[[noreturn]] void inconnue() {
    db::lever(erreurs_execution::VariableObjet);
}

}  // namespace

void Feuilles::enregistrer(const QString& nom, std::function<Feuille*()> fabrique) {
    registre().fabriques[nom] = std::move(fabrique);
}

bool Feuilles::estEnregistree(const QString& nom) {
    return registre().fabriques.count(nom) != 0;
}

Feuille& Feuilles::charger(const QString& nom) {
    Registre& r = registre();
    if (Feuille* f = r.chargees.value(nom)) return *f;
    installer_affichage_erreurs_controles();
    auto it = r.fabriques.find(nom);
    if (it == r.fabriques.end()) inconnue();
    Feuille* f = it->second();
    if (!f) inconnue();
    if (f->objectName().isEmpty()) f->setObjectName(nom);
    // Known before its load event runs, so that the load event (or a binder it calls)
    // reaching the window by its name finds this instance rather than creating another.
    r.chargees.insert(nom, f);
    if (f->estEnfant() && r.zone) f->encadrer(r.zone);
    try {
        f->Form_Load();
    } catch (...) {
        // A window whose load failed is not loaded.
        oublier(f);
        f->detruire();
        throw;
    }
    return *f;
}

bool Feuilles::estChargee(const QString& nom) { return registre().chargees.contains(nom); }

QStringList Feuilles::chargees() { return registre().chargees.keys(); }

QStringList Feuilles::enregistrees() {
    QStringList noms;
    for (const auto& [nom, fabrique] : registre().fabriques) noms << nom;
    return noms;
}

Feuille* Feuilles::siChargee(const QString& nom) { return registre().chargees.value(nom); }

void Feuilles::decharger(const QString& nom) {
    if (Feuille* f = siChargee(nom)) f->decharger();
}

void Feuilles::toutDecharger() {
    // At the end of the program or of a test: every unload event runs, its cancel is not
    // honoured here, and the windows go at once.
    for (Feuille* f : registre().chargees.values()) {
        if (!registre().chargees.values().contains(f)) continue;  // unloaded by another's event
        int annuler = 0;
        try { f->Form_Unload(annuler); } catch (...) {}
    }
    while (!registre().chargees.isEmpty()) {
        Feuille* f = registre().chargees.begin().value();
        oublier(f);
        f->detruire();
    }
}

bool Feuilles::lacherBases(const QStringList& sauf) {
    for (const QString& nom : registre().chargees.keys()) {
        Feuille* f = siChargee(nom);
        if (!f || sauf.contains(nom)) continue;
        const QList<forms::ControleDonnees*> controles = f->findChildren<forms::ControleDonnees*>();
        const bool lie = std::any_of(controles.begin(), controles.end(),
                                     [](forms::ControleDonnees* c) { return !c->DatabaseName().isEmpty(); });
        if (!lie && !f->montreLaBase()) continue;
        if (lie && f->masqueeALaFermeture()) {
            for (forms::ControleDonnees* c : controles) {
                c->fermer();
                c->setDatabaseName(QString());
            }
            continue;
        }
        f->decharger();
        if (estChargee(nom)) return false;
    }
    return true;
}

void Feuilles::definirZone(QMdiArea* zone) { registre().zone = zone; }

QMdiArea* Feuilles::zone() { return registre().zone; }

void Feuilles::oublier(Feuille* f) {
    Registre& r = registre();
    for (auto it = r.chargees.begin(); it != r.chargees.end();) {
        if (it.value() == f) it = r.chargees.erase(it); else ++it;
    }
}

}  // namespace forms
