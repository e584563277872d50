#include "shell/fichiers_base.h"
#include "platform/forms/noms_feuilles.h"
#include "shell/feuille_chemin.h"
#include "shell/module1.h"
#include "shell/ouverture.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/descriptions_fenetres.h"
#include "partage/liants.h"
#include "platform/db/copie_sure.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/listes_fichiers.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/progression.h"
#include "platform/registry/registre.h"
#include <QFile>
#include <QFileInfo>
#include <QComboBox>
#include <QLabel>
#include <optional>
#include <utility>

namespace shell::fichiers {

namespace {

using db::copie_sure::Mode;
using forms::boite_message;
namespace copie = db::copie_sure;

forms::Feuille& choix() { return forms::Feuilles::charger(noms::choix_base); }
QLabel* label4() { return choix().controle<QLabel>(QStringLiteral("Label4")); }
forms::ListeFichiers* file1() { return choix().controle<forms::ListeFichiers>(QStringLiteral("File1")); }
QString dossier_liste() { return file1()->Path(); }
QString dans_liste(const QString& nom) { return dossier_liste() + QLatin1Char('/') + nom; }

void pointeur(int valeur) { forms::definir_pointeur_souris(valeur); }

// Runs a button's work as one handler: a failure shows the general error box. Each operation
// names its own source and target; the working path is never one of its variables, so that no
// file touched here becomes the working database without its access code.
void operation(const std::function<void()>& corps) { forms::pieger(corps); }

// ---- name entry

struct Saisie {
    const char* invite;
    const char* titre;
    const char* defaut;
    bool blancs;  // blanks become "_"
};

const Saisie saisie_creation{
    "Entrez le nom de la nouvelle base de données (nom différent des bases existantes).\n\n\n"
    "L'extension .mdb sera ajoutée automatiquement lors de la création de cette base totalement vide..",
    "Création d'une nouvelle base vide", "nouvelle_base", true};
const Saisie saisie_duplication{
    "Entrez le nom de la base dupliquée (nom différent de la base existante).\n\n\n"
    "L'extension .mdb sera ajoutée automatiquement lors de la duplication..",
    "Duplication d'une base existante", "base_dupliquée", false};
const Saisie saisie_renommage{"Entrez le nouveau nom de la base sélectionnée.",
                              "Modification du nom d'une base existante", "", false};

QString sans_blancs_autour(const QString& s) {
    int debut = 0, fin = int(s.size());
    while (debut < fin && s[debut] == QLatin1Char(' ')) ++debut;
    while (fin > debut && s[fin - 1] == QLatin1Char(' ')) --fin;
    return s.mid(debut, fin - debut);
}

// A name that the file system takes as one file of the folder.
bool nom_possible(const QString& nom) {
    if (nom.toUtf8().size() > 255) return false;
    for (QChar c : nom)
        if (c == QLatin1Char('/') || c.unicode() < 32 || c.unicode() == 127) return false;
    return true;
}

// The file name typed, with its suffix; nullopt when the answer is empty (Cancel included)
// or refused (its message shown).
std::optional<QString> nom_saisi(const Saisie& s) {
    QString nom = sans_blancs_autour(forms::boite_saisie(QString::fromUtf8(s.invite), QString::fromUtf8(s.titre),
                                                        QString::fromUtf8(s.defaut)));
    if (nom.isEmpty()) return std::nullopt;
    if (nom.right(4).toUpper() != QLatin1String(".MDB")) nom += QStringLiteral(".mdb");
    if (s.blancs) nom.replace(QLatin1Char(' '), QLatin1Char('_'));
    if (!nom_possible(nom)) {
        pointeur(forms::PointeurDefaut);
        boite_message(QStringLiteral("Le nom « ") + nom +
                          QStringLiteral(" » ne peut pas être donné à un fichier : il ne doit contenir ni « / » ni "
                                         "caractère de contrôle, et ne doit pas dépasser 255 caractères...\n\n"
                                         "Rien n'a été créé ni modifié."),
                      forms::styles::Avertissement);
        return QString();
    }
    return nom;
}

// The main window's open database is closed, as its menu command does, when its file is gone
// or holds other data now.
void fermer_si_ouverte(bool etaitOuverte) {
    if (etaitOuverte) ouverture::fermer_base_ouverte();
}

// Common first step of duplication, renaming and deletion.
bool selection_presente(const char* message) {
    if (!label4()->text().isEmpty()) return true;
    boite_message(QString::fromUtf8(message), forms::styles::Avertissement);
    return false;
}

// A window shown on the working database, to bring it back as it was once the database's file
// has been compacted: what each of its data controls read, in which order, and on which record
// (compaction keeps the rows' identities), and the entry its sort box stood on.
struct FenetreOuverte {
    struct Lecture {
        QString controle;
        QString source;
        QVariant signet;  // the row shown
    };
    QString nom;
    QVector<Lecture> lectures;
    QVector<std::pair<QString, int>> tris;
};

QVector<FenetreOuverte> fenetres_sur_la_base() {
    QVector<FenetreOuverte> r;
    for (const QString& nom : forms::Feuilles::chargees()) {
        forms::Feuille* f = forms::Feuilles::siChargee(nom);
        if (!f || !f->estAffichee() || f->masqueeALaFermeture() || f->montreLaBase()) continue;
        auto* principal = f->findChild<forms::ControleDonnees*>(QStringLiteral("datPrimaryRS"));
        if (!principal || principal->DatabaseName().isEmpty()) continue;
        FenetreOuverte o{nom, {}, {}};
        for (forms::ControleDonnees* c : f->findChildren<forms::ControleDonnees*>()) {
            if (c->DatabaseName().isEmpty() || c->objectName().isEmpty()) continue;
            FenetreOuverte::Lecture l{c->objectName(), c->RecordSource(), {}};
            forms::ignorer_erreur([&] {
                if (c->aUnRecordset()) l.signet = c->Recordset().Bookmark();
            });
            o.lectures.append(l);
        }
        for (QComboBox* b : f->findChildren<QComboBox*>())
            if (b->property(forms::EntreeTriEnCours).isValid())
                o.tris.append({b->objectName(), b->property(forms::EntreeTriEnCours).toInt()});
        r.append(o);
    }
    return r;
}

// Shows the windows again on the working database, each reading its records once, in the order
// it read them, on the record it showed.
void rouvrir(const QVector<FenetreOuverte>& fenetres) {
    for (const FenetreOuverte& o : fenetres) {
        forms::pieger([&o] {
            forms::Feuille& f = liants::charger_pour_lier(o.nom);
            for (const auto& [nom, entree] : o.tris) forms::placer_tri(f.controle<QComboBox>(nom), entree);
            for (const FenetreOuverte::Lecture& l : o.lectures) {
                auto* c = f.controle<forms::ControleDonnees>(l.controle);
                c->setDatabaseName(Module1::chemin_base);
                c->setRecordSource(l.source);
                c->Refresh();
                if (l.signet.isValid()) forms::ignorer_erreur([&] { c->Recordset().setBookmark(l.signet); });
            }
            f.afficher();
        });
    }
}

}  // namespace

bool laisser_la_base(const QString& fichier, const QString& operation) {
    if (Module1::fermer_base_donnees(fichier)) return true;
    pointeur(forms::PointeurDefaut);
    boite_message(QStringLiteral("La base ") + fichier +
                      QStringLiteral(" est la base de travail, et une fenêtre garde une fiche qui n'a pas été "
                                     "enregistrée...\n\n") +
                      operation + QStringLiteral(" : rien n'a été modifié."),
                  forms::styles::Avertissement);
    return false;
}

bool est_base_ouverte(const QString& chemin) {
    const QString ouverte = ouverture::base_ouverte();
    return !ouverte.isEmpty() && (ouverte == chemin || copie::meme_fichier(ouverte, chemin));
}

namespace {
const QString CleCarnelis = QStringLiteral("Software\\Carnelis");
const QString ValeurDossierSauvegarde = QStringLiteral("DossierSauvegarde");
}  // namespace

void retenir_dossier_sauvegarde(const QString& dossier) {
    QString deja;
    registre::lire_valeur_registre(registre::Racine::HKEY_CURRENT_USER, CleCarnelis, ValeurDossierSauvegarde, deja);
    if (deja != dossier)
        registre::ecrire_valeur_texte(registre::Racine::HKEY_CURRENT_USER, CleCarnelis, ValeurDossierSauvegarde, dossier);
}

void nettoyer_dossier_sauvegarde() {
    QString dossier;
    if (!registre::lire_valeur_registre(registre::Racine::HKEY_CURRENT_USER, CleCarnelis, ValeurDossierSauvegarde, dossier) ||
        !QFileInfo(dossier).isDir())
        return;
    forms::ignorer_erreur([&] { copie::nettoyer(dossier); });
}

void rafraichir_liste() {
    if (forms::Feuille* f = forms::Feuilles::siChargee(noms::choix_base))
        f->controle<forms::ListeFichiers>(QStringLiteral("File1"))->Refresh();
}

// Writes `source` as the new database `cible`: an existing file is replaced only when the user
// agrees and, when it is the open database, only once its windows have let it go. `designation`
// names the new file in the question ("La nouvelle base "), `action` names the operation in the
// boxes ("Création" gives "Création annulée" and "Création effectuée..."), `enCours` in the
// progress window.
static void ecrire_nouvelle_base(const QString& source, const QString& cible, Mode mode, const QString& designation,
                                 const QString& action, const QString& enCours) {
    const bool existe = QFileInfo::exists(cible);
    if (existe && boite_message(designation + cible +
                                    QStringLiteral(" existe déjà...\n\nVoulez-vous la remplacer par la nouvelle?"),
                                forms::styles::OuiNon + forms::styles::Question +
                                    forms::styles::DeuxiemeParDefaut) != forms::Oui) {
        pointeur(forms::PointeurDefaut);
        return;
    }
    const bool ouverte = existe && est_base_ouverte(cible);
    if (ouverte && !laisser_la_base(cible, action + QStringLiteral(" annulée"))) return;
    forms::travailler_a_part(enCours, [&] { copie::ecrire(source, cible, mode, existe); });
    fermer_si_ouverte(ouverte);
    file1()->Refresh();
    pointeur(forms::PointeurDefaut);
    boite_message(action + QStringLiteral(" effectuée..."), forms::styles::Information);
}

void creer() {
    operation([] {
        pointeur(forms::Sablier);
        const QString vide = dans_liste(modele);
        Module1::fermer_base_donnees();
        const std::optional<QString> nom = nom_saisi(saisie_creation);
        if (!nom) {
            boite_message(QStringLiteral("Création de la nouvelle base annulée..."), forms::styles::Information);
            pointeur(forms::PointeurDefaut);
            return;
        }
        if (nom->isEmpty()) return;
        const QString cible = dans_liste(*nom);
        ecrire_nouvelle_base(vide, cible, Mode::Copie, QStringLiteral("La nouvelle base "), QStringLiteral("Création"),
                             QStringLiteral("Création de la base ") + cible + QStringLiteral(" en cours..."));
    });
}

void dupliquer() {
    operation([] {
        if (!selection_presente("Vous devez sélectionner la base de données que vous souhaitez dupliquer...")) return;
        pointeur(forms::Sablier);
        const QString source = label4()->text();
        Module1::fermer_base_donnees();
        const std::optional<QString> nom = nom_saisi(saisie_duplication);
        if (!nom || nom->isEmpty()) {
            pointeur(forms::PointeurDefaut);
            return;
        }
        const QString cible = dans_liste(*nom);
        if (copie::meme_fichier(source, cible)) {
            pointeur(forms::PointeurDefaut);
            boite_message(QStringLiteral("La base dupliquée ") + cible +
                              QStringLiteral(" est la base sélectionnée elle-même...\n\n"
                                             "Entrez un nom différent de la base existante : duplication impossible!"),
                          forms::styles::Avertissement);
            return;
        }
        ecrire_nouvelle_base(source, cible, Mode::Compactage, QStringLiteral("La base dupliquée "),
                             QStringLiteral("Duplication"),
                             QStringLiteral("Duplication de la base ") + source + QStringLiteral(" en ") + cible +
                                 QStringLiteral(" en cours..."));
    });
}

void renommer() {
    operation([] {
        if (!selection_presente("Vous devez sélectionner la base de données que vous souhaitez renommer...")) return;
        pointeur(forms::Sablier);
        const QString source = label4()->text();
        copie::verifier_fichier_inscriptible(source);
        Module1::fermer_base_donnees();
        const std::optional<QString> nom = nom_saisi(saisie_renommage);
        if (!nom || nom->isEmpty()) {
            pointeur(forms::PointeurDefaut);
            return;
        }
        const QString cible = dans_liste(*nom);
        if (QFileInfo::exists(cible)) {
            boite_message(QStringLiteral("La base ") + cible + QStringLiteral(" existe déjà...\n\nAction impossible!"),
                          forms::styles::Avertissement);
            pointeur(forms::PointeurDefaut);
            return;
        }
        const bool ouverte = est_base_ouverte(source);
        if (ouverte && !laisser_la_base(source, QStringLiteral("Modification du nom annulée"))) return;
        forms::travailler_a_part(QStringLiteral("Modification du nom de la base ") + source + QStringLiteral(" en ") +
                                     cible + QStringLiteral(" en cours..."), [&] {
            // Nobody writes into the old name between its copy and its removal.
            copie::Verrou verrou(source);
            copie::ecrire(source, cible, Mode::Compactage, false);
            try {
                copie::supprimer(source);
            } catch (...) {
                // The old name cannot go: the new one goes instead, so the database keeps one name.
                QFile::remove(cible);
                throw;
            }
        });
        label4()->clear();
        fermer_si_ouverte(ouverte);
        file1()->Refresh();
        pointeur(forms::PointeurDefaut);
        boite_message(QStringLiteral("La base de données a été renommée..."), forms::styles::Information);
    });
}

void supprimer() {
    operation([] {
        if (!selection_presente("Vous devez sélectionner la base de données que vous souhaitez supprimer définitivement..."))
            return;
        if (file1()->count() < 2) {
            boite_message(QStringLiteral("Suppression impossible... Il doit y avoir au moins UNE BASE de travail pour "
                                         "pouvoir exploiter le logiciel..."),
                          forms::styles::Critique);
            pointeur(forms::PointeurDefaut);
            return;
        }
        pointeur(forms::Sablier);
        const QString base = label4()->text();
        copie::verifier_fichier_inscriptible(base);
        if (boite_message(QStringLiteral("La base sélectionnée sera supprimée DEFINITIVEMENT...\n\n"
                                         "Confirmez-vous la suppression?"),
                          forms::styles::OuiNon + forms::styles::Question + forms::styles::DeuxiemeParDefaut) !=
                    forms::Oui ||
            boite_message(QStringLiteral("Ultime confirmation : Etes-vous certain de vouloir supprimer DEFINITIVEMENT "
                                         "la base de données sélectionnée?"),
                          forms::styles::OuiNon + forms::styles::Critique + forms::styles::DeuxiemeParDefaut) !=
                    forms::Oui) {
            pointeur(forms::PointeurDefaut);
            return;
        }
        Module1::fermer_base_donnees();
        const bool ouverte = est_base_ouverte(base);
        if (ouverte && !laisser_la_base(base, QStringLiteral("Suppression annulée"))) return;
        copie::supprimer(base);
        label4()->clear();
        fermer_si_ouverte(ouverte);
        file1()->Refresh();
        pointeur(forms::PointeurDefaut);
        boite_message(QStringLiteral("Suppression effectuée..."), forms::styles::Information);
    });
}

void compacter() {
    operation([] {
        boite_message(
            QStringLiteral(
                "Info : À mesure que sont modifiées les données d'une base de données, le fichier se fragmente, "
                "utilisant "
                "un espace disque excessif. Compactez régulièrement votre base de données pour défragmenter le fichier "
                "de "
                "base de données. La base de données compactée est généralement de plus petite taille et souvent plus "
                "rapide."),
            forms::styles::Information);
        if (!selection_presente("Vous devez sélectionner la base de données que vous souhaitez compacter...")) return;
        pointeur(forms::Sablier);
        const QString base = label4()->text();
        copie::verifier_fichier_inscriptible(base);
        // The working database itself: its windows save what was typed and let go of the file
        // before it is replaced, and come back on the compacted file afterwards.
        const bool ouverte = est_base_ouverte(base);
        const QVector<FenetreOuverte> fenetres = ouverte ? fenetres_sur_la_base() : QVector<FenetreOuverte>();
        Module1::fermer_base_donnees();
        if (ouverte && !laisser_la_base(base, QStringLiteral("Compactage annulé"))) return;
        // Whatever happens from here on (refused, failed or done), the windows come back.
        struct Retour {
            QVector<FenetreOuverte> fenetres;
            void rendre() {
                if (!fenetres.isEmpty()) rouvrir(std::exchange(fenetres, {}));
            }
            ~Retour() { rendre(); }
        } retour{fenetres};
        const QString avant = dans_liste(avant_compactage), cpg = dans_liste(compactage);
        // A compaction interrupted between its last two steps may leave the kept copy as a
        // second name of the database itself: that name is dropped, the database keeps its own.
        if (copie::meme_fichier(base, avant) &&
            QFileInfo(base).canonicalFilePath() != QFileInfo(avant).canonicalFilePath())
            copie::supprimer(avant);
        if (copie::meme_fichier(base, avant) || copie::meme_fichier(base, cpg)) {
            pointeur(forms::PointeurDefaut);
            boite_message(
                QStringLiteral("La base sélectionnée est ") + base +
                    QStringLiteral(", la copie que le compactage fait de la base avant de la compacter : elle "
                                   "serait remplacée par elle-même...\n\nRenommez-la ou dupliquez-la avant "
                                   "de la compacter : compactage impossible!"),
                forms::styles::Avertissement);
            return;
        }
        forms::travailler_a_part(QStringLiteral("Compactage de la base ") + base + QStringLiteral(" en cours..."), [&] {
            // The database keeps its name throughout: its compacted content takes the name in one
            // rename, once complete on disk, and no other writer commits meanwhile; "compactage.cpg"
            // is left holding the same content, as a copy.
            copie::Verrou verrou(base);
            copie::compacter_en_place(base, cpg, avant);
        });
        file1()->Refresh();
        retour.rendre();
        pointeur(forms::PointeurDefaut);
        boite_message(QStringLiteral("Compactage effectué..."), forms::styles::Information);
    });
}

void sauvegarder() {
    operation([] {
        if (label4()->text().isEmpty()) {
            boite_message(
                QStringLiteral("Vous devez sélectionner la base de données que vous souhaitez sauvegarder..."),
                forms::styles::Avertissement);
            pointeur(forms::PointeurDefaut);
            return;
        }
        if (file1()->FileName().isEmpty()) {
            boite_message(QStringLiteral("Sélectionnez le fichier à sauvegarder pour pouvoir poursuivre..."),
                          forms::styles::Information);
            label4()->clear();
            pointeur(forms::PointeurDefaut);
            return;
        }
        const QString source = label4()->text();
        Module1::fermer_base_donnees();
        auto& chemin = forms::Feuilles::obtenir<FeuilleChemin>(noms::chemin);
        chemin.demander(FeuilleChemin::actionSauvegarde(), source);
    });
}

void restaurer() {
    operation([] {
        pointeur(forms::Sablier);
        Module1::fermer_base_donnees();
        auto& chemin = forms::Feuilles::obtenir<FeuilleChemin>(noms::chemin);
        chemin.demander(FeuilleChemin::actionRestauration(), QString());
    });
}

}  // namespace shell::fichiers
