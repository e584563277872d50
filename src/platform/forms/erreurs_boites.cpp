#include "platform/forms/erreurs_boites.h"

#include "platform/forms/controle_donnees.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/pointeur.h"

namespace forms {

QString texte_prefixe(Prefixe p) {
    switch (p) {
    case Prefixe::Donnees:
        return QStringLiteral("Le gestionnaire d'erreurs des données a rencontré l'erreur : ");
    case Prefixe::ListesFichiers:
        return QStringLiteral("Le logiciel des données a rencontré l'erreur : ");
    case Prefixe::Logiciel:
        break;
    }
    return QStringLiteral("Le logiciel a rencontré l'erreur : ");
}

void boite_erreur(const Erreur& e, Prefixe p) { boite_erreur(e.numero, e.texte, p); }

void boite_erreur(int numero, const QString& texte, Prefixe p) {
    boite_message(texte_prefixe(p) + QString::number(numero) + "\n\n" + texte, styles::Avertissement);
    definir_pointeur_souris(PointeurDefaut);
}

void signaler_echec(Prefixe p) {
    try {
        throw;
    } catch (const OperationAbandonnee&) {
        // The user chose to stay where he was: nothing to tell.
    } catch (const Erreur& e) {
        boite_erreur(e, p);
    } catch (const std::exception& e) {
        boite_erreur(erreurs_execution::AppelIncorrect, QString::fromUtf8(e.what()), p);
    } catch (...) {
        boite_erreur(erreurs_execution::AppelIncorrect, db::texte_erreur(erreurs_execution::AppelIncorrect), p);
    }
}

bool pieger(const std::function<void()>& corps, Prefixe p) {
    try {
        corps();
        return true;
    } catch (...) {
        signaler_echec(p);
    }
    return false;
}

bool ignorer_erreur(const std::function<void()>& etape) {
    try {
        etape();
        return true;
    } catch (...) {
        return false;
    }
}

void boite_erreur_donnees(int numero) {
    boite_message(QStringLiteral("Data error event hit err:") + db::texte_erreur(numero), styles::OKSeul);
}

void nommer_champ(Erreur& e, const QString& libelle) {
    if (e.champ.isEmpty() || libelle.isEmpty()) return;
    e.texte.replace(QStringLiteral("« %1 »").arg(e.champ), QStringLiteral("« %1 »").arg(libelle));
}

void boite_enregistrement_refuse(int numero, const QString& texte) {
    boite_message(QStringLiteral("La fiche n'a pas été enregistrée (erreur %1) :\n\n%2\n\n"
                                 "Ce que vous avez saisi reste affiché : corrigez-le ou réessayez, "
                                 "puis cliquez sur « Valider ».")
                      .arg(numero)
                      .arg(texte.isEmpty() ? db::texte_erreur(numero) : texte),
                  styles::Avertissement);
    definir_pointeur_souris(PointeurDefaut);
}

void boite_erreur_controle(int numero, const QString& texte) {
    boite_message(texte.isEmpty() ? db::texte_erreur(numero) : texte, styles::Avertissement);
}

void installer_affichage_erreurs_controles() {
    if (!forms::ControleDonnees::afficheurErreur)
        forms::ControleDonnees::afficheurErreur = [](int n, const QString& t) { boite_erreur_controle(n, t); };
}

}  // namespace forms
