#pragma once
// The data window: a window that edits one table through its data control `datPrimaryRS`,
// with the record buttons "&Ajouter", "&Supprimer", "&Rafraîchir", "&Valider", "&Fermer"
// (and "Accepter" in pickers) and the reactions to the data control's events. Written once;
// each window says how it differs through its Variation (variation.h).
//
// A derived window builds its fields in its constructor, binds them to datPrimaryRS() and
// places barreBoutons() where it wants the buttons.
#include "platform/forms/feuille.h"
#include "platform/forms/variation.h"

class QPushButton;
class QHBoxLayout;

namespace forms { class ControleDonnees; }
namespace forms { class GrilleDonnees; }

namespace forms {

class FenetreDonnees : public forms::Feuille {
    Q_OBJECT
public:
    // The variation is taken from the window's description (descriptions_fenetres.h).
    explicit FenetreDonnees(const QString& nom);
    FenetreDonnees(const QString& nom, const Variation& variation);
    ~FenetreDonnees() override;

    const Variation& variation() const { return variation_; }
    forms::ControleDonnees* datPrimaryRS() const { return datPrimaryRS_; }
    // The window's grid, for grid windows (nullptr otherwise).
    forms::GrilleDonnees* grille() const { return grille_; }
    QPushButton* boutonAccepter() const { return accepter_; }

    // The record buttons and the data control, in one row.
    QWidget* barreBoutons() const { return barre_; }
    QHBoxLayout* dispositionBoutons() const { return dispositionBarre_; }

    // "Accepter" in picking state (shown, or enabled where it is always visible), and out of it.
    void montrerAccepter();
    void retirerAccepter();
    bool accepterDisponible() const;

    // Has the user typed into the record shown since it was shown (a new record holding only
    // what the program proposed is not pending)?
    bool saisieEnAttente() const;
    // The one rule for leaving the record shown, whatever leaves it: a move, a sort, a search,
    // a new record, "&Rafraîchir", closing, the window bound again from a menu or from another
    // window, the database closed or changed, the program quitting. A record typed into is
    // saved; a refused save is told with its reason, and the user chooses: back to the record
    // (false: the window stays on it, what was typed with it) or give up the change (true).
    // A new record the user has not typed into is left unsaved.
    bool quitterFiche();

    // The reactions, each bound to its event.
    virtual void cmdAjouter_Click();
    virtual void cmdSupprimer_Click();
    virtual void cmdRafraichir_Click();
    virtual void cmdMettreajour_Click();
    virtual void cmdFermer_Click();
    virtual void bouton_accepter_Click();
    virtual void datPrimaryRS_Error(int numero, int* reponse);
    void datPrimaryRS_Reposition();
    void datPrimaryRS_Validate(int action, int* enregistrer);
    void Form_Load() override;
    void Form_Unload(int& annuler) override;

protected:
    // Saves the record shown. A window that can mend a refusal itself (the next free number
    // offered for a key another record holds) does it here and returns false when the user
    // declined, having been told; any other refusal is raised.
    virtual bool enregistrerFiche();
    // "&Valider" of the record windows: a refusal is told in the refused-save box, the record
    // and what was typed staying on screen.
    void validerEnDisantLeRefus();
    // The question asked before "&Supprimer" deletes the record shown (Yes/No, default No);
    // empty: deleted at once.
    virtual QString questionSuppression() const { return QString(); }
    // Gives the window its grid (grid windows call it once, from their constructor); with
    // `relais`, a double-click on a row accepts as "Accepter" does.
    void definirGrille(forms::GrilleDonnees* grille, bool relais = true);
    // Runs at load, after placement, inside the same error trap.
    virtual void apresPlacement() {}
    void keyPressEvent(QKeyEvent* e) override;
    bool echap() override;

private:
    void construire();
    // A refused save told: true when the user goes back to the record (the window in front).
    bool revenirALaFiche(const QString& raison);
    void ordonnerTabulation();
    void rendreLaMainAuAppelant();
    void allerAuPremierChamp();
    Variation variation_;
    forms::ControleDonnees* datPrimaryRS_ = nullptr;
    forms::GrilleDonnees* grille_ = nullptr;
    QWidget* barre_ = nullptr;
    QHBoxLayout* dispositionBarre_ = nullptr;
    QPushButton* accepter_ = nullptr;
    QPushButton* fermer_ = nullptr;
};

}  // namespace forms
