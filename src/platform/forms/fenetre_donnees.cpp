#include "platform/forms/fenetre_donnees.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/controles_simples.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/clavier.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/reactions.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/grille_donnees.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/twips.h"
#include "platform/forms/selecteurs.h"
#include "platform/forms/placement.h"
#include <QHBoxLayout>
#include <QTabWidget>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

using forms::bouton;

namespace forms {

namespace {

}  // namespace

FenetreDonnees::FenetreDonnees(const QString& nom) : FenetreDonnees(nom, variation_de(nom)) {}

FenetreDonnees::FenetreDonnees(const QString& nom, const Variation& variation)
    : forms::Feuille(nom), variation_(variation) {
    construire();
}

FenetreDonnees::~FenetreDonnees() = default;

void FenetreDonnees::construire() {
    barre_ = new QWidget(this);
    barre_->setObjectName(QStringLiteral("cadre_boutons"));
    dispositionBarre_ = new QHBoxLayout(barre_);
    dispositionBarre_->setContentsMargins(0, 0, 0, 0);

    datPrimaryRS_ = new forms::ControleDonnees(barre_);
    datPrimaryRS_->setObjectName(QStringLiteral("datPrimaryRS"));
    const bool controleVisible = variation_.position != Legende::Masquee;
    datPrimaryRS_->setVisible(controleVisible);
    // A visible data control takes the free width; its own layout keeps room for the
    // position caption and the four record buttons.
    dispositionBarre_->addWidget(datPrimaryRS_, controleVisible ? 1 : 0);
    if (controleVisible) forms::touches_de_fiche(this, datPrimaryRS_);
    connect(datPrimaryRS_, &forms::ControleDonnees::Error, this, &FenetreDonnees::datPrimaryRS_Error);
    connect(datPrimaryRS_, &forms::ControleDonnees::Reposition, this, &FenetreDonnees::datPrimaryRS_Reposition);
    connect(datPrimaryRS_, &forms::ControleDonnees::Validate, this, &FenetreDonnees::datPrimaryRS_Validate);
    // Every operation of the data control that leaves the record shown asks the one rule.
    datPrimaryRS_->reglesDepart = [this] { return quitterFiche(); };

    if (variation_.accepter != Accepter::Aucun) {
        accepter_ = bouton(barre_, "bouton_accepter", QStringLiteral("Accepter"),
                           QStringLiteral("Cliquez pour accepter ces données et les insérer dans la fiche d'origine"));
        // A picker's Enter key presses "Accepter" (see keyPressEvent).
        accepter_->setDefault(variation_.accepter == Accepter::Masque);
        dispositionBarre_->addWidget(accepter_);
        forms::relier(accepter_, &QPushButton::clicked, this, &FenetreDonnees::bouton_accepter_Click);
        if (variation_.accepter == Accepter::Masque)
            accepter_->setVisible(false);
        else
            accepter_->setEnabled(false);
    }
    if (!controleVisible) dispositionBarre_->addStretch();
    if (variation_.ajout != Ajout::Aucun) {
        auto* b = bouton(barre_, "cmdAjouter", QStringLiteral("&Ajouter"),
                         QStringLiteral("Cliquez pour créer une nouvelle fiche de saisie"));
        dispositionBarre_->addWidget(b);
        forms::relier(b, &QPushButton::clicked, this, &FenetreDonnees::cmdAjouter_Click);
        forms::relier(b, &QPushButton::clicked, this, &FenetreDonnees::allerAuPremierChamp);
    }
    if (variation_.supprimer) {
        auto* b = bouton(barre_, "cmdSupprimer", QStringLiteral("&Supprimer"),
                         QStringLiteral("Cliquez pour supprimer la fiche en cours"));
        dispositionBarre_->addWidget(b);
        forms::relier(b, &QPushButton::clicked, this, &FenetreDonnees::cmdSupprimer_Click);
    }
    if (variation_.rafraichir) {
        auto* b = bouton(barre_, "cmdRafraîchir", QStringLiteral("&Rafraîchir"), variation_.infobulleRafraichir);
        dispositionBarre_->addWidget(b);
        forms::relier(b, &QPushButton::clicked, this, &FenetreDonnees::cmdRafraichir_Click);
    }
    auto* valider = bouton(barre_, "cmdMettreàjour", QStringLiteral("&Valider"),
                           QStringLiteral("Cliquez pour enregistrer les renseignements en cours"));
    dispositionBarre_->addWidget(valider);
    forms::relier(valider, &QPushButton::clicked, this, &FenetreDonnees::cmdMettreajour_Click);
    fermer_ = bouton(barre_, "cmdFermer", QStringLiteral("&Fermer"), QStringLiteral("Cliquez pour fermer cette fenêtre"));
    dispositionBarre_->addWidget(fermer_);
    forms::relier(fermer_, &QPushButton::clicked, this, &FenetreDonnees::cmdFermer_Click);
}

void FenetreDonnees::definirGrille(forms::GrilleDonnees* grille, bool relais) {
    grille_ = grille;
    grille_->lier(datPrimaryRS_);
    if (!relais) return;
    // The relay runs the accept operation only in picking state: a list opened from the menu
    // stays a plain editor whatever code an earlier pick left behind.
    forms::relier(grille_, &forms::GrilleDonnees::relais, this, [this] {
        if (accepterDisponible()) bouton_accepter_Click();
    });
}

void FenetreDonnees::montrerAccepter() {
    if (!accepter_) return;
    // Offered to choose from, the list's rows are found by typing, never edited by it.
    if (grille_) grille_->definirChoix(true);
    if (variation_.accepter == Accepter::Desactive)
        accepter_->setEnabled(true);
    else
        accepter_->setVisible(true);
}

void FenetreDonnees::retirerAccepter() {
    if (!accepter_) return;
    if (grille_) grille_->definirChoix(false);
    if (variation_.accepter == Accepter::Desactive)
        accepter_->setEnabled(false);
    else
        accepter_->setVisible(false);
}

bool FenetreDonnees::accepterDisponible() const {
    if (!accepter_) return false;
    return variation_.accepter == Accepter::Desactive ? accepter_->isEnabled() : !accepter_->isHidden();
}

// "&Ajouter". On an empty table there is no last record to move to: the grid goes straight
// to its new-row line. Failures are reported rather than left to end the program.
void FenetreDonnees::cmdAjouter_Click() {
    if (!quitterFiche()) return;
    switch (variation_.ajout) {
    case Ajout::Grille: {
        auto& rs = datPrimaryRS_->Recordset();
        if (!(rs.Eof() && rs.Bof())) rs.MoveLast();
        if (grille_) {
            grille_->setFocus();
            grille_->allerSurLigneNouvelle(0);  // the new entry starts in the first column
        }
        break;
    }
    case Ajout::NouvelleFiche:
        datPrimaryRS_->Recordset().AddNew();
        datPrimaryRS_Reposition();
        break;
    case Ajout::Propre:
    case Ajout::Aucun:
        break;
    }
}

// "&Supprimer": no message on success, and no question unless the window asks one; the next
// record becomes current, or the last one when the deleted record was the last.
void FenetreDonnees::cmdSupprimer_Click() {
    auto& rs = datPrimaryRS_->Recordset();
    // On the grid's new-row line, or while a new record is pending, there is no current
    // record: nothing may be deleted, whatever row the result set last stood on.
    if ((grille_ && grille_->surLigneNouvelle()) || rs.EditMode() == 2)
        db::lever(db::erreurs::AucunEnregistrement);
    const QString question = questionSuppression();
    if (!question.isEmpty() && forms::boite_message(question, forms::styles::OuiNon + forms::styles::Question +
                                                                  forms::styles::DeuxiemeParDefaut) != forms::Oui)
        return;
    rs.Delete();
    // What was typed into the deleted record goes with it.
    datPrimaryRS_->abandonnerSaisie();
    rs.MoveNext();
    if (rs.Eof()) rs.MoveLast();
}

void FenetreDonnees::cmdRafraichir_Click() {
    if (!quitterFiche()) return;
    datPrimaryRS_->Refresh();
}

bool FenetreDonnees::enregistrerFiche() {
    datPrimaryRS_->UpdateRecord();
    return true;
}

void FenetreDonnees::cmdMettreajour_Click() {
    if (grille_) grille_->validerCellule();
    if (!enregistrerFiche()) return;
    auto& rs = datPrimaryRS_->Recordset();
    const QVariant signet = rs.LastModified();
    if (signet.isValid()) rs.setBookmark(signet);
}

void FenetreDonnees::validerEnDisantLeRefus() {
    try {
        FenetreDonnees::cmdMettreajour_Click();
    } catch (const Erreur& e) {
        forms::boite_enregistrement_refuse(e.numero, e.texte);
    }
}

void FenetreDonnees::cmdFermer_Click() {
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    decharger();
}

// A new record started from its button is typed from its first field, on the first tab.
void FenetreDonnees::allerAuPremierChamp() {
    if (!datPrimaryRS_->aUnRecordset() || datPrimaryRS_->Recordset().EditMode() != 2) return;
    QWidget* champ = forms::premier_champ(this);
    if (auto* onglets = findChild<QTabWidget*>(QStringLiteral("SSTab1"))) {
        onglets->setCurrentIndex(0);
        if (QWidget* premier = forms::premier_champ(onglets->widget(0)); premier && champ && onglets->isAncestorOf(champ))
            champ = premier;
    }
    if (champ) champ->setFocus(Qt::OtherFocusReason);
}

void FenetreDonnees::rendreLaMainAuAppelant() {
    const QString appelant = selecteurs::appelant_de(*this);
    if (appelant.isEmpty()) return;
    // Once this window has gone: the caller becomes the active window again.
    QTimer::singleShot(0, [appelant] {
        if (forms::Feuille* f = forms::Feuilles::siChargee(appelant); f && f->estAffichee()) f->afficher();
    });
}

void FenetreDonnees::bouton_accepter_Click() {
    // The accept operation may unload this window; nothing here touches it afterwards.
    selecteurs::accepter(*this);
}

// A save the engine refused is always told, the typed text staying on screen; the silent
// windows stay silent only about errors that leave nothing unsaved.
void FenetreDonnees::datPrimaryRS_Error(int numero, int* reponse) {
    if (variation_.erreur == ErreurDonnees::Message)
        forms::boite_erreur_donnees(numero);
    else if (saisieEnAttente())
        forms::boite_enregistrement_refuse(numero, datPrimaryRS_->texteDerniereErreur());
    if (reponse) *reponse = 0;
}

bool FenetreDonnees::saisieEnAttente() const {
    if (!datPrimaryRS_->aUnRecordset()) return false;
    return datPrimaryRS_->DataChanged() || datPrimaryRS_->Recordset().tamponModifie();
}

bool FenetreDonnees::quitterFiche() {
    // A grid's cell being typed is written first; a refusal has been told by the grid.
    if (grille_ && !grille_->validerCellule()) {
        if (revenirALaFiche(QString())) return false;
        grille_->abandonnerCellule();
    }
    if (!saisieEnAttente()) return true;
    QString raison;
    try {
        if (enregistrerFiche()) return true;
    } catch (const Erreur& e) {
        raison = e.texte.isEmpty() ? db::texte_erreur(e.numero) : e.texte;
    }
    if (revenirALaFiche(raison)) return false;
    forms::ignorer_erreur([this] { datPrimaryRS_->abandonnerSaisie(); });
    return true;
}

bool FenetreDonnees::revenirALaFiche(const QString& raison) {
    // The window has told its own refusal already, or the reason is given here.
    const QString refus = raison.isEmpty()
                              ? QStringLiteral("La fiche en cours n'a pas été enregistrée.")
                              : QStringLiteral("La fiche en cours n'a pas pu être enregistrée :\n\n") + raison;
    const int reponse =
        forms::boite_message(refus + QStringLiteral("\n\nVoulez-vous revenir à la fiche pour la corriger ?\n"
                                                    "(Non : les modifications seront abandonnées.)"),
                             forms::styles::OuiNon + forms::styles::Avertissement);
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    if (reponse != forms::Oui) return false;
    afficher();
    return true;
}

void FenetreDonnees::datPrimaryRS_Reposition() {
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    if (variation_.position == Legende::Masquee) return;
    forms::ignorer_erreur([this] {
        const int numero = datPrimaryRS_->Recordset().AbsolutePosition() + 1;
        const QString n = QString::number(numero);
        datPrimaryRS_->setCaption(variation_.position == Legende::Fiche ? QStringLiteral("Fiche: ") + n : n);
    });
}

// The hourglass shows from the start of every data-control operation until the next move,
// close or unload resets it; a close of the result set is no exception.
void FenetreDonnees::datPrimaryRS_Validate(int action, int* /*enregistrer*/) {
    if (action == 10) forms::definir_pointeur_souris(forms::PointeurDefaut);
    forms::definir_pointeur_souris(forms::Sablier);
}

// The tab order runs down the window's own fields (in the order they were built, or as the
// window set it), then along the record buttons.
void FenetreDonnees::ordonnerTabulation() {
    QVector<QWidget*> champs, boutons;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus)) continue;
        (barre_->isAncestorOf(w) ? boutons : champs).append(w);
    }
    const QVector<QWidget*> ordre = champs + boutons;
    for (int i = 1; i < ordre.size(); ++i) setTabOrder(ordre[i - 1], ordre[i]);
}

void FenetreDonnees::Form_Load() {
    ordonnerTabulation();
    forms::pieger([this] {
        if (variation_.placement == Placement::Decalee)
            forms::centrer_feuille_decalee(*this);
        else
            forms::centrer_feuille(*this);
        apresPlacement();
    });
}

void FenetreDonnees::Form_Unload(int& annuler) {
    // Closing keeps what was typed, as moving to another record does.
    if (!quitterFiche()) {
        annuler = 1;
        return;
    }
    rendreLaMainAuAppelant();
    if (variation_.dechargement == AuDechargement::RetirerAccepter) retirerAccepter();
    forms::definir_pointeur_souris(forms::PointeurDefaut);
}

// In a picker, Enter presses "Accepter" while it is offered. Keys reach here only when the
// focused control leaves them unused.
void FenetreDonnees::keyPressEvent(QKeyEvent* e) {
    if ((e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && accepterDisponible()) {
        accepter_->click();
        return;
    }
    forms::Feuille::keyPressEvent(e);
}

// Escape cancels: what was typed into the record gives way to the record as last saved (a new
// record typed into is given up); with nothing typed, it presses "&Fermer".
bool FenetreDonnees::echap() {
    if (!saisieEnAttente()) {
        fermer_->click();
        return true;
    }
    forms::pieger([this] {
        datPrimaryRS_->abandonnerSaisie();
        datPrimaryRS_Reposition();
    });
    return true;
}

}  // namespace forms
