// Opening the database selected in the chooser (after its access code), and closing it.
#include "shell/ouverture.h"
#include "shell/fichier_accepte.h"
#include "shell/feuille_login.h"
#include "partage/liants.h"
#include "shell/mdiform1.h"
#include "shell/module1.h"
#include "shell/options.h"
#include "platform/forms/controle_donnees.h"
#include "platform/db/base_donnees.h"
#include "platform/db/copie_sure.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/progression.h"
#include <QLabel>
#include <QLineEdit>

namespace shell::ouverture {

namespace {
const QString choix = noms::choix_base;

forms::Feuille& chooser() { return forms::Feuilles::charger(choix); }

QString base_acceptee;

// The windows the start-up options ask for, in the order they open (the last in front).
struct FenetreDemarrage {
    const char* caseACocher;
    const QString& feuille;
};
const FenetreDemarrage fenetres_demarrage[] = {
    {"Check1", noms::famille},
    {"Check2", noms::eleve},
    {"Check4", noms::traitements},
};
}  // namespace

void afficher_base_en_cours(const QString& texte) {
    if (MDIForm1* m = fenetre_principale()) m->panneau(1)->setText(texte);
}

QString base_ouverte() { return base_acceptee; }

bool lacher_base_ouverte() {
    return forms::Feuilles::lacherBases({noms::choix_base, noms::patientez});
}

void oublier_base_ouverte() {
    base_acceptee.clear();
    shell::fichier_accepte::oublier();
    // Accepting the options now saves no last database, unless one is selected again.
    options::oublier_derniere_base();
}

void commande_ouvrir() {
    forms::Feuille& f = chooser();
    f.controle<QLineEdit>(QStringLiteral("accès_tentavive"))->clear();
    f.afficher();
}

bool fermer_base_ouverte() {
    // The windows on the file save what was typed and let go of it; a user who goes back to a
    // record keeps the database open, and nothing else changes.
    if (!lacher_base_ouverte()) return false;
    Module1::fermer_base_donnees();
    oublier_base_ouverte();
    Module1::chemin_base.clear();
    chooser().controle<QLabel>(QStringLiteral("Label4"))->clear();
    afficher_base_en_cours(QString());
    Module1::desactiver_menus();
    return true;
}

void commande_fermer() {
    if (!fermer_base_ouverte()) return;
    forms::boite_message(QStringLiteral("La base est fermée..."), forms::styles::Information);
}

}  // namespace shell::ouverture

namespace Module1 {

void ouvrir_base_donnees() {
    using namespace shell::ouverture;
    bool acceptee = false;
    forms::pieger([&acceptee] {
        forms::Feuille& f = chooser();
        const QString selection = f.controle<QLabel>(QStringLiteral("Label4"))->text();
        if (selection.isEmpty()) {
            forms::boite_message(
                QStringLiteral("Vous devez sélectionner la base de données sur laquelle vous souhaitez travailler..."),
                forms::styles::Avertissement);
            return;
        }
        // The file shown as selected is the one opened; it becomes the working database only
        // once its code is accepted. A file whose code cannot be read is not opened: its error
        // box has been shown, and going on would enable the menus on a file that is missing,
        // or skip its code.
        if (!liants::lier_sur(QStringLiteral("ouvrir_table_passe_choix"), selection)) return;

        const QString actuel = f.controle<QLineEdit>(QStringLiteral("accès_actuel"))->text();
        if (!actuel.isEmpty()) {
            QLineEdit* tentative = f.controle<QLineEdit>(QStringLiteral("accès_tentavive"));
            tentative->clear();
            {
                shell::FeuilleLogin login(shell::fenetre_principale());
                login.exec();
            }
            // Exact text: case matters and nothing is trimmed.
            if (tentative->text() != actuel) {
                tentative->clear();
                forms::boite_message(QStringLiteral("Erreur de code d'accès... Accès non-autorisé!"),
                                     forms::styles::Avertissement);
                forms::definir_pointeur_souris(forms::PointeurDefaut);
                return;
            }
        }

        // The windows on the database open until now save what was typed and let go of it:
        // from here on only the accepted file is written.
        if (!lacher_base_ouverte()) return;

        forms::Feuille& attente = forms::Feuilles::charger(noms::patientez);
        attente.afficher();
        attente.repaint();
        forms::definir_pointeur_souris(forms::Sablier);
        // A damaged file opens all the same, so that what is left can be saved, but the user
        // is told now rather than by a failure later.
        bool endommagee = false;
        forms::travailler_a_part(QStringLiteral("Vérification de la base de données ") + selection +
                                     QStringLiteral("..."),
                                 [&] { endommagee = db::moteur::endommagee(selection); });
        acceptee = true;
        // The one place where the working path is set.
        chemin_base = selection;
        base_acceptee = chemin_base;
        shell::fichier_accepte::noter(chemin_base, actuel);
        activer_menus();
        forms::Feuilles::decharger(noms::choix_base);
        forms::definir_pointeur_souris(forms::PointeurDefaut);
        afficher_base_en_cours(QStringLiteral("Base de données en cours : ") + chemin_base);
        forms::Feuilles::decharger(noms::patientez);
        if (endommagee)
            forms::boite_message(
                QStringLiteral("La base de données ") + chemin_base +
                    QStringLiteral(" est endommagée : une partie de son contenu ne peut plus être lue, et les fiches, "
                                   "listes ou opérations qui en ont besoin échoueront.\n\nSauvegardez-la sans attendre "
                                   "(« Sauvegarder » dans le choix de la base de données) : la sauvegarde en copie le "
                                   "fichier tel qu'il est, pour garder tout ce qui peut l'être."),
                forms::styles::Avertissement);

        for (const FenetreDemarrage& d : fenetres_demarrage) {
            const QString& nom = d.feuille;
            if (shell::options::valeur_case(QString::fromUtf8(d.caseACocher)) != 1) continue;
            if (!forms::Feuilles::estEnregistree(nom)) continue;  // its window comes later
            forms::Feuille& w = forms::Feuilles::charger(nom);
            w.afficher();
            w.repaint();
        }
    }, forms::Prefixe::Donnees);
}

bool fermer_base_donnees(const QString& fichier) {
    using namespace shell::ouverture;
    const QString ouverte = base_ouverte();
    if (!fichier.isEmpty() && !ouverte.isEmpty() &&
        (fichier == ouverte || db::copie_sure::meme_fichier(fichier, ouverte)) && !lacher_base_ouverte())
        return false;
    forms::ignorer_erreur([] {
        if (forms::Feuille* f = forms::Feuilles::siChargee(noms::choix_base))
            f->controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"))->fermer();
    });
    return true;
}

}  // namespace Module1
