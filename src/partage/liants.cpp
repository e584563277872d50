// Every binder points one window's data control at the working database and one query, and
// refreshes it. They differ only by their window's description (descriptions_fenetres.h).
#include "partage/liants.h"
#include "platform/db/erreurs_moteur.h"
#include "partage/module1.h"
#include "platform/forms/controle_donnees.h"
#include "platform/erreur.h"
#include "platform/db/erreurs_moteur.h"
#include <QRegularExpression>
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/feuilles.h"
#include <QComboBox>
#include <QSignalBlocker>
#include <functional>
#include <utility>
#include <vector>

namespace liants {
namespace {

[[noreturn]] void sans_objet() {
    db::lever(erreurs_execution::VariableObjet);
}

using Etape = std::function<void()>;

// Database name, record source, refresh: the three steps of every binding of a data control.
void ajouter_liaison(std::vector<Etape>& etapes, const std::function<forms::ControleDonnees*()>& controle,
                     const QString& fichier, const QString& source) {
    etapes.push_back([=] { controle()->setDatabaseName(fichier); });
    etapes.push_back([=] { controle()->setRecordSource(source); });
    etapes.push_back([=] {
        try {
            controle()->Refresh();
        } catch (const Erreur& e) {
            if (e.numero != db::erreurs::TableIntrouvable) throw;
            static const QRegularExpression table(QStringLiteral("\\bFROM\\s+\"?([^\\s\"]+)"),
                                                  QRegularExpression::CaseInsensitiveOption);
            const QString nom = table.match(source).captured(1);
            throw Erreur(e.numero, QStringLiteral("La table « %1 » est absente de cette base de données.").arg(nom));
        }
    });
}

enum class Mode { Liant, Commande };

// The window a binder is loading, while its load runs.
QString en_chargement;

bool executer(const QString& nom, Mode mode, const QString& fichier) {
    const forms::DescriptionFenetre* l = forms::description_du_liant(nom);
    if (!l) db::lever(erreurs_execution::AppelIncorrect);
    const QString feuille = l->nom;
    if (!forms::Feuilles::estEnregistree(feuille)) return false;

    // Reaching the window loads it (its load event runs) without showing it.
    forms::ControleDonnees* controle = nullptr;
    auto principal = [&]() -> forms::ControleDonnees* {
        if (!controle) sans_objet();
        return controle;
    };
    std::vector<Etape> etapes;
    etapes.push_back([&] {
        controle = charger_pour_lier(feuille).controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"));
        // The window leaves the record it shows by its own rule before it is bound again; a
        // user who goes back to that record keeps the window as it was.
        if (!controle->quitterEnregistrement()) throw OperationAbandonnee{};
    });
    ajouter_liaison(etapes, principal, fichier, l->source);

    for (const forms::AutreControle& autre : l->autresControles)
        ajouter_liaison(etapes, [feuille, nom = autre.controle] {
            return forms::Feuilles::charger(feuille).controle<forms::ControleDonnees>(nom);
        }, fichier, autre.source);
    if (!l->boiteTri.isEmpty())
        etapes.push_back([feuille, nom = l->boiteTri] {
            // The window sorts when an entry of its sort box is chosen, the one it already
            // shows included (which reads nothing again when the window already reads its
            // records in that order).
            auto* tri = forms::Feuilles::charger(feuille).controle<QComboBox>(nom);
            {
                const QSignalBlocker bloque(tri);
                tri->setCurrentIndex(0);
            }
            emit tri->activated(0);
        });

    if (mode == Mode::Commande) {
        for (auto& e : etapes) e();
    } else if (l->surErreur == forms::SurErreur::Boite) {
        // The first failing step ends the binder with the general error box.
        bool abandon = false;
        const bool reussi = forms::pieger([&] {
            try {
                for (auto& e : etapes) e();
            } catch (const OperationAbandonnee&) {
                abandon = true;
            }
        });
        if (abandon) throw OperationAbandonnee{};
        if (!reussi) return false;
    } else {
        // Each failing step is passed over without a word; a binding the user stopped stops
        // whatever called it.
        for (auto& e : etapes) {
            try {
                e();
            } catch (const OperationAbandonnee&) {
                throw;
            } catch (...) {
            }
        }
    }
    return controle && controle->aUnRecordset();
}

}  // namespace

bool chargee_par_son_liant(const QString& feuille) { return !en_chargement.isEmpty() && en_chargement == feuille; }

forms::Feuille& charger_pour_lier(const QString& feuille) {
    const QString avant = std::exchange(en_chargement, forms::Feuilles::estChargee(feuille) ? QString() : feuille);
    struct Retour {
        QString avant;
        ~Retour() { en_chargement = avant; }
    } retour{avant};
    return forms::Feuilles::charger(feuille);
}

QString feuille_du_liant(const QString& liant) {
    const forms::DescriptionFenetre* l = forms::description_du_liant(liant);
    return l ? l->nom : QString();
}

bool lier(const QString& nom) { return executer(nom, Mode::Liant, Module1::chemin_base); }
bool lier_sur(const QString& nom, const QString& fichier) { return executer(nom, Mode::Liant, fichier); }
void lier_ou_lever(const QString& nom) { executer(nom, Mode::Commande, Module1::chemin_base); }

}  // namespace liants

namespace Module1 {
void ouvrir_table(const QString& liant) { liants::lier(liant); }
void ouvrir_table_passe_acces() { ouvrir_table(QStringLiteral("ouvrir_table_passe_acces")); }
void ouvrir_table_passe_choix() { ouvrir_table(QStringLiteral("ouvrir_table_passe_choix")); }
void ouvrir_table_adresses() { ouvrir_table(QStringLiteral("ouvrir_table_adresses")); }
void ouvrir_table_assertions() { ouvrir_table(QStringLiteral("ouvrir_table_assertions")); }
void ouvrir_table_documents() { ouvrir_table(QStringLiteral("ouvrir_table_documents")); }
void ouvrir_table_ecole() { ouvrir_table(QStringLiteral("ouvrir_table_ecole")); }
void ouvrir_table_eleves() { ouvrir_table(QStringLiteral("ouvrir_table_eleves")); }
void ouvrir_table_equipe() { ouvrir_table(QStringLiteral("ouvrir_table_equipe")); }
void ouvrir_table_familles() { ouvrir_table(QStringLiteral("ouvrir_table_familles")); }
void ouvrir_table_choix_famille() { ouvrir_table(QStringLiteral("ouvrir_table_choix_famille")); }
void ouvrir_table_genres() { ouvrir_table(QStringLiteral("ouvrir_table_genres")); }
void ouvrir_table_hopitaux() { ouvrir_table(QStringLiteral("ouvrir_table_hopitaux")); }
void ouvrir_table_inspection() { ouvrir_table(QStringLiteral("ouvrir_table_inspection")); }
void ouvrir_table_langues_vivantes() { ouvrir_table(QStringLiteral("ouvrir_table_langues_vivantes")); }
void ouvrir_table_medecins() { ouvrir_table(QStringLiteral("ouvrir_table_medecins")); }
void ouvrir_table_nationalites() { ouvrir_table(QStringLiteral("ouvrir_table_nationalites")); }
void ouvrir_table_niveaux() { ouvrir_table(QStringLiteral("ouvrir_table_niveaux")); }
void ouvrir_table_sexe() { ouvrir_table(QStringLiteral("ouvrir_table_sexe")); }
void ouvrir_table_situations_familiales() { ouvrir_table(QStringLiteral("ouvrir_table_situations_familiales")); }
void ouvrir_table_villes() { ouvrir_table(QStringLiteral("ouvrir_table_villes")); }
void ouvrir_table_parametres() { ouvrir_table(QStringLiteral("ouvrir_table_parametres")); }
void ouvrir_table_assurances() { ouvrir_table(QStringLiteral("ouvrir_table_assurances")); }
void ouvrir_table_csp() { ouvrir_table(QStringLiteral("ouvrir_table_csp")); }
}  // namespace Module1
