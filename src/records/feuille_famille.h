#pragma once
// The family record window `feuille_famille`, "Fiche famille": one family of `familles` at a
// time, its legal guardian, second parent, insurance, doctor, hospital and consent, on three
// tabs; the family numbering, the sort box, the three searches, the family sheet and the
// family's children. Its boxes come from the table of feuille_famille_champs.h.
#include "platform/forms/fenetre_donnees.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace famille {

// The question asked before a family is deleted, in the family window and in its picker (Yes/No,
// default No): it names the family and says what becomes of its children.
QString question_suppression(const QString& prenom, const QString& nom, const QString& reference);

class FeuilleFamille : public forms::FenetreDonnees {
    Q_OBJECT
public:
    // The captions of the consent button: as designed, then the one that blinks.
    static const QString LegendeConsentement;
    static const QString LegendeConsentementClignotante;

    FeuilleFamille();

    // The record source of each entry of Combo1, in the box's order.
    static QString sourceTri(const QString& entree);
    static QString sourceAlphabetique();

    // A new, empty family numbered with the next free reference, in alphabetical order;
    // nothing is saved yet. Raises 13 when the highest reference is not a number.
    void nouvelleFamille();

    void cmdAjouter_Click() override;
    // A refusal is told as in the pupil window, what was typed kept.
    void cmdMettreajour_Click() override;

    // The window's own commands, each with its error trap.
    void Combo1_Click();
    void Text13_LostFocus();
    void rechercherReference();   // Command1, double click on Text13
    void rechercherResponsable(); // Command23, double click on nom_responsable_légal
    void rechercherConjoint();    // Command22, double click on nom_conjoint
    void Command16_Click();       // Parent 2's address copied from Parent 1's
    void Command3_Click();        // the family sheet
    void Command4_Click();        // the family's children

protected:
    void apresPlacement() override;
    bool eventFilter(QObject* objet, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // A reference that another family holds (typed, or taken meanwhile by another
    // workstation) is told; a new family is offered the next free one.
    bool enregistrerFiche() override;
    QString questionSuppression() const override;

private:
    void construire();
    void rechercher(const QString& invite, const QString& champ, bool debutSeulement);
    QString texte(const QString& zone) const;
    void ecrire(const QString& zone, const QString& valeur);

    QComboBox* tri_ = nullptr;
    QTabWidget* onglets_ = nullptr;
    QPushButton* consentement_ = nullptr;
};

}  // namespace famille
