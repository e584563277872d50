#include "shell/feuille_chemin.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/controles_simples.h"
#include "shell/feuille_choix_base.h"
#include "shell/fichiers_base.h"
#include "shell/module1.h"
#include "shell/ouverture.h"
#include "platform/db/copie_sure.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/explorateur_fichiers.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/listes_fichiers.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/progression.h"
#include "platform/forms/reactions.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <sys/stat.h>

using forms::etiquette;
using forms::bouton;

namespace shell {

namespace {

using forms::boite_message;
namespace copie = db::copie_sure;

QString sans_blancs_autour(QString s) {
    while (s.startsWith(QLatin1Char(' '))) s.remove(0, 1);
    while (s.endsWith(QLatin1Char(' '))) s.chop(1);
    return s;
}

QString sans_separateur_final(QString s) {
    if (s.endsWith(QLatin1Char('/')) && s.size() > 1) s.chop(1);
    return s;
}

forms::Feuille& attente() { return forms::Feuilles::charger(noms::patientez); }

void fin_attente() {
    if (forms::Feuille* f = forms::Feuilles::siChargee(noms::patientez)) f->masquer();
    forms::definir_pointeur_souris(forms::PointeurDefaut);
}

}  // namespace

QString FeuilleChemin::actionSauvegarde() { return QStringLiteral("Sauvegarde de la base sélectionnée"); }
QString FeuilleChemin::actionRestauration() { return QStringLiteral("Restauration d'une base sauvegardée"); }

FeuilleChemin::FeuilleChemin() : forms::Feuille(noms::chemin) {
    setCaption(QStringLiteral("Choix du chemin d'accès"));
    explorateur_ = new forms::ExplorateurFichiers(
        this, {"Label2", QStringLiteral("Lecteurs"), QStringLiteral("Cliquez pour sélectionner un lecteur")},
        {"Label2", QStringLiteral("Dossiers"),
         QStringLiteral("liste des dossiers du lecteur sélectionné - Cliquez pour ouvrir un dossier")},
        {"Label2", QStringLiteral("Fichiers"),
         QStringLiteral("Liste des fichiers se trouvant dans le dossier sélectionné (non modifiable)")},
        forms::Prefixe::Donnees, &FeuilleChoixBase::dossierDuLecteur);
    drive1_ = explorateur_->lecteurs();
    dir1_ = explorateur_->dossiers();
    file1_ = explorateur_->fichiers();
    label1_ = etiquette(this, "Label1");
    label1_->hide();
    label3_ = etiquette(this, "Label3");
    label3_->setToolTip(QStringLiteral("Rappel de l'action en cours"));
    QFont gras = label3_->font();
    gras.setBold(true);
    label3_->setFont(gras);

    auto* accepter = bouton(this, "cmdUpdate", "&Accepter",
                            "Cliquez pour accepter le chemin à utiliser pour la procédure de sauvegarde/Restauration");
    auto* nouveau = bouton(this, "Command1", "&Nouveau dossier", "Cliquez pour créer un nouveau dossier");
    auto* fermer = bouton(this, "cmdFermer", "&Fermer", "Cliquez pour fermer cette fenêtre");

    auto* grille = new QGridLayout(this);
    grille->addWidget(label3_, 0, 0, 1, 3);
    grille->addWidget(explorateur_, 1, 0, 1, 2);
    auto* boutons = new QVBoxLayout;
    boutons->addWidget(accepter);
    boutons->addWidget(nouveau);
    boutons->addWidget(fermer);
    boutons->addStretch();
    grille->addLayout(boutons, 1, 2);
    grille->addWidget(label1_, 2, 0);
    grille->setRowStretch(1, 1);
    grille->setColumnStretch(0, 1);
    grille->setColumnStretch(1, 1);
    accepter->setDefault(true);

    forms::relier(file1_, &forms::ListeFichiers::Click, this, &FeuilleChemin::fichierClique);
    forms::relier(accepter, &QPushButton::clicked, this, &FeuilleChemin::accepter);
    forms::relier(nouveau, &QPushButton::clicked, this, &FeuilleChemin::nouveauDossier, forms::Prefixe::Donnees);
    // Queued: closing unloads this window, which must not happen inside its button's signal.
    forms::relier(fermer, &QPushButton::clicked, this, &FeuilleChemin::fermer, Qt::QueuedConnection);
    definirTaille(7800, 5000);
}

void FeuilleChemin::Form_Load() {
    forms::pieger([this] {
        Module1::centrer_feuille(*this);
        explorateur_->ouvrirSur(FeuilleChoixBase::dossierDuLecteur(drive1_->Drive()));
    }, forms::Prefixe::Donnees);
}

void FeuilleChemin::definirAction(const QString& action) {
    label1_->setText(action);
    label3_->setText(label1_->text());
}

void FeuilleChemin::demander(const QString& action, const QString& source) {
    source_ = source;
    definirAction(action);
    // Kept loaded since the last request: its lists are read again, since that request may
    // have written the very backup this one looks for.
    forms::pieger([this] {
        if (!QFileInfo(dir1_->Path()).isDir()) {
            explorateur_->ouvrirSur(FeuilleChoixBase::dossierDuLecteur(drive1_->Drive()));
            return;
        }
        const QSignalBlocker b(dir1_);
        dir1_->setPath(dir1_->Path());
        file1_->setPath(dir1_->Path());
    }, forms::Prefixe::Donnees);
    afficher();
}

void FeuilleChemin::fichierClique() {
    boite_message(QStringLiteral("Sélectionnez uniquement le lecteur et le dossier à utiliser dans la procédure de "
                                 "Sauvegarde/Restauration"),
                  forms::styles::Avertissement);
}

void FeuilleChemin::fermer() {
    forms::ignorer_erreur([this] { definirAction(QString()); });
    forms::ignorer_erreur([this] { decharger(); });
    forms::ignorer_erreur([] { forms::definir_pointeur_souris(forms::PointeurDefaut); });
}

void FeuilleChemin::nouveauDossier() {
    const QString nom = sans_separateur_final(sans_blancs_autour(forms::boite_saisie(
        QStringLiteral("Entrez le nom du nouveau dossier que vous souhaitez créer :"),
        QStringLiteral("Nouveau dossier"), QStringLiteral("Nouveau dossier"))));
    if (nom.isEmpty() || nom == QLatin1String("/")) {
        boite_message(QStringLiteral("Aucun nom n'a été saisi : aucun dossier n'a été créé."),
                      forms::styles::Information);
        return;
    }
    // Made in the folder highlighted in the list, then opened, so that the lists show it and
    // "&Accepter" uses it.
    const QString parent = sans_separateur_final(sans_blancs_autour(dir1_->cheminSurligne()));
    const QString dossier = parent + QLatin1Char('/') + nom;
    if (::mkdir(QFile::encodeName(dossier).constData(), 0777) != 0) copie::lever_systeme(errno, dossier);
    dir1_->setPath(dossier);  // the file list follows
    repaint();
}

void FeuilleChemin::accepter() {
    const bool ok = forms::pieger([this] {
        QString d = sans_blancs_autour(file1_->Path());
        if (!d.endsWith(QLatin1Char('/'))) d += QLatin1Char('/');
        masquer();
        forms::definir_pointeur_souris(forms::Sablier);
        forms::Feuille& patientez = attente();
        patientez.afficher();
        patientez.raise();
        patientez.repaint();
        if (label1_->text() == actionSauvegarde())
            sauvegarde(d);
        else if (label1_->text() == actionRestauration())
            restauration(d);
        else
            fin_attente();
    }, forms::Prefixe::Donnees);
    if (!ok) fin_attente();
}

void FeuilleChemin::sauvegarde(const QString& d) {
    const QString cible = d + fichiers::sauvegarde;
    copie::verifier_dossier_inscriptible(d);
    if (copie::meme_fichier(source_, cible)) {
        fin_attente();
        boite_message(QStringLiteral("La base sélectionnée est la sauvegarde ") + cible +
                          QStringLiteral(" elle-même...\n\nChoisissez un autre dossier : sauvegarde impossible!"),
                      forms::styles::Avertissement);
        return;
    }
    const bool existe = QFileInfo::exists(cible);
    if (existe && boite_message(QStringLiteral("La base ") + cible +
                                    QStringLiteral(" existe déjà...\n\nVoulez-vous la remplacer par la sauvegarde?"),
                                forms::styles::OuiNon + forms::styles::Question +
                                    forms::styles::DeuxiemeParDefaut) != forms::Oui) {
        fin_attente();
        return;
    }
    const bool ouverte = existe && fichiers::est_base_ouverte(cible);
    if (ouverte && !fichiers::laisser_la_base(cible, QStringLiteral("Sauvegarde annulée"))) {
        fin_attente();
        return;
    }
    fichiers::retenir_dossier_sauvegarde(QFileInfo(cible).absolutePath());
    // A damaged database cannot be rebuilt: its pages are copied as they are, so that what can
    // be read of it is kept.
    bool telleQuelle = false;
    forms::travailler_a_part(QStringLiteral("Sauvegarde de la base ") + source_ + QStringLiteral(" dans ") + cible +
                                 QStringLiteral(" en cours..."),
                             [&] {
                                 try {
                                     copie::ecrire(source_, cible, copie::Mode::Compactage, existe);
                                 } catch (const Erreur& e) {
                                     if (e.numero != db::erreurs::BaseEndommagee) throw;
                                     telleQuelle = true;
                                     copie::ecrire(source_, cible, copie::Mode::Copie, existe);
                                 }
                             });
    if (ouverte) ouverture::fermer_base_ouverte();
    fichiers::rafraichir_liste();
    fin_attente();
    boite_message(QStringLiteral("Sauvegarde effectuée...\n\nVous disposez maintenant d'une sauvegarde (") + cible +
                      QStringLiteral(").") +
                      (telleQuelle ? QStringLiteral("\n\nLa base sélectionnée est endommagée : la sauvegarde est une copie "
                                                    "telle quelle de son fichier, page pour page, sans compactage.")
                                   : QString()),
                  forms::styles::Information);
}

void FeuilleChemin::restauration(const QString& d) {
    const QString s = d + fichiers::sauvegarde;
    if (!QFileInfo::exists(s)) {
        boite_message(QStringLiteral("La base ") + s + QStringLiteral(" n'existe pas... Restauration impossible!"),
                      forms::styles::Information);
        fin_attente();
        return;
    }
    const QString r = forms::Feuilles::charger(noms::choix_base)
                          .controle<forms::ListeFichiers>(QStringLiteral("File1"))
                          ->Path() +
                      QLatin1Char('/') + fichiers::restauree;
    const bool ouverte = fichiers::est_base_ouverte(r);
    if (ouverte && !fichiers::laisser_la_base(r, QStringLiteral("Restauration annulée"))) {
        fin_attente();
        return;
    }
    forms::travailler_a_part(QStringLiteral("Restauration de la sauvegarde ") + s + QStringLiteral(" en ") + r +
                                 QStringLiteral(" en cours..."),
                             [&] { copie::ecrire(s, r, copie::Mode::Compactage, true); });
    if (ouverte) ouverture::fermer_base_ouverte();
    fichiers::rafraichir_liste();
    fin_attente();
    boite_message(QStringLiteral("Restauration effectuée..."), forms::styles::Information);
}

}  // namespace shell
