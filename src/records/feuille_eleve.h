#pragma once
// The pupil record window `feuille_élève`: one pupil of `élèves` at a time, in eight tabs,
// built from its binding table (champs_eleve.h) on the data-window behaviour.
#include "records/champs_eleve.h"
#include "records/tris_eleve.h"
#include "platform/forms/fenetre_donnees.h"
#include <QHash>

struct Erreur;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QGridLayout;

namespace forms { class ControleDonnees; }
namespace forms { class Formulaire; }

namespace eleve {

class FeuilleEleve : public forms::FenetreDonnees {
    Q_OBJECT
public:
    FeuilleEleve();

    QTabWidget* SSTab1() const { return onglets_; }
    QComboBox* Combo1() const { return combo1_; }
    forms::ControleDonnees* Data1() const { return data1_; }
    forms::ControleDonnees* Data2() const { return data2_; }
    QLineEdit* zone(const QString& controle) const;

    // The reactions, each bound to its event.
    void cmdAjouter_Click() override;
    void cmdMettreajour_Click() override;
    void Combo1_Click();
    void rechercher(const Recherche& r);
    void date_naissance_Change();
    void matricule_LostFocus();
    void Command15_Click();
    void Command14_Click();
    void Command4_Click();
    void Command16_Click();
    // A photo path written into `chemin_photo`; `choisie` when the user has just chosen it,
    // who is then told why a picture cannot be shown.
    void afficherPhoto(bool choisie);
    void photoChoisie(const QString& chemin);

    // The sort box set to an entry from code: the sort runs even when the entry is already shown.
    void choisirTri(int entree);

protected:
    void apresPlacement() override;
    // A pupil always has its matricule (the next free one when the box is empty); a matricule
    // that another pupil holds comes with the offer of the next free one.
    bool enregistrerFiche() override;
    QString questionSuppression() const override;
    bool eventFilter(QObject* objet, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void construire();
    void lierLibellesParametrables(const forms::Formulaire& formulaire);
    QWidget* pageOnglet(int onglet);
    QGridLayout* grilleDe(int onglet, const QString& cadre, QWidget* parent);
    void brancherBoutons();
    void revenirAuPremierOnglet();

    QTabWidget* onglets_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QLabel* label12_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QLabel* photo_ = nullptr;
    forms::ControleDonnees* data1_ = nullptr;
    forms::ControleDonnees* data2_ = nullptr;
    QVector<QWidget*> ordre_;  // the keyboard's order
    QHash<QString, QGridLayout*> grilles_;
    QVector<QPair<QWidget*, int>> suivi_;
};

}  // namespace eleve
