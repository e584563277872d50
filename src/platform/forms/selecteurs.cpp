#include "platform/forms/selecteurs.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/clavier.h"
#include <QFormLayout>
#include <QGridLayout>
#include "platform/db/erreurs_moteur.h"
#include "platform/erreur.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/grille_donnees.h"
#include "platform/forms/fenetre_donnees.h"
#include "platform/forms/reactions.h"
#include <QLineEdit>
#include <QPushButton>

using forms::u;

namespace selecteurs {

qint16 code_appelant = 0;

namespace {

Liaison& liaison() {
    static Liaison l;
    return l;
}

// The code a picker was opened with, kept on the picker window itself so that it goes
// with the window when the window is unloaded.
const char* const CodeOuverture = "code_appelant_ouverture";
const char* const AppelantOuverture = "appelant_ouverture";

Copie col(int c, const char* destination) { return {c, {}, QString::fromUtf8(destination)}; }
Copie texte(const char* source, const char* destination) {
    return {-1, QString::fromUtf8(source), QString::fromUtf8(destination)};
}
}  // namespace

const QVector<Choix>& table() {
    static const QVector<Choix> t = {
        {noms::adresses, 1, noms::eleve, {col(0, "adresse_résidence")}, u("adresse2_résidence")},
        {noms::adresses, 2, noms::famille, {col(0, "Text2")}, u("Text1")},
        {noms::adresses, 3, noms::famille, {col(0, "Text7")}, u("Text6")},
        {noms::adresses, 4, noms::ecole, {col(0, "adresse_école")}, u("suite_adresse_école")},
        {noms::adresses, 5, noms::inspection, {col(0, "adresse_inspection")}, u("adresse2_inspection")},
        {noms::adresses, 6, noms::equipe, {col(0, "adresse1_enseignant")}, u("adresse_enseignant")},

        {noms::assurances, 2, noms::famille, {col(0, "société_assurance")}, u("police_assurance")},

        {noms::csp, 2, noms::famille, {col(0, "csp_responsable_légal")}, {}},
        {noms::csp, 3, noms::famille, {col(0, "csp_conjoint")}, {}},

        {noms::hopitaux, 2, noms::famille,
         {col(0, "hôpital_préférentiel"), col(1, "téléphone_hôpital_préférentiel"),
          col(2, "adresse_hôpital_préférentiel"), col(3, "ville_hôpital_préférentiel")},
         {}},
        {noms::medecins, 2, noms::famille,
         {col(0, "médecin_traitant"), col(1, "téléphone_médecin_traitant"), col(2, "adresse_médecin_traitant"),
          col(3, "ville_médecin_traitant")},
         {}},

        {noms::langues_vivantes, 7, noms::eleve, {col(0, "langue_vivante_élève")}, {}},

        {noms::nationalites, 1, noms::eleve, {col(0, "nationalité"), col(1, "code_nationalité")}, {}},

        {noms::sexe, 1, noms::eleve, {col(0, "sexe")}, u("date_naissance")},

        {noms::villes, 1, noms::eleve, {col(0, "code_postal_résidence"), col(1, "ville_résidence")},
         u("téléphone1_résidence")},
        {noms::villes, 2, noms::famille, {col(0, "Text5"), col(1, "Text4")}, {}},
        {noms::villes, 3, noms::famille, {col(0, "Text10"), col(1, "Text9")}, {}},
        {noms::villes, 4, noms::ecole, {col(0, "code_postal_école"), col(1, "ville_école")},
         u("téléphone_école")},
        {noms::villes, 5, noms::inspection,
         {col(0, "code_postal_inspection"), col(1, "ville_inspection")}, u("téléphone_inspection")},
        {noms::villes, 6, noms::equipe, {col(0, "code_postal_enseignant"), col(1, "ville_enseignant")},
         u("téléphone1_enseignant")},

        {noms::situations_familiales, 2, noms::famille, {col(0, "Text11")}, u("Text3")},

        // The level's wording (column 1) stays in the list.
        {noms::niveaux, 6, noms::equipe,
         {col(0, "niveau_classe_enseignant"), col(2, "cycle_classe_enseignant")}, {}},

        {noms::genres, 4, noms::ecole, {col(0, "genre_directeur")}, u("prénom_directeur")},
        {noms::genres, 5, noms::inspection, {col(0, "genre_inspecteur")}, u("prénom_inspecteur")},
        {noms::genres, 6, noms::equipe, {col(0, "genre_enseignant")}, u("nom_enseignant")},
        {noms::genres, 7, noms::famille, {col(0, "genre_responsable_légal")}, u("nom_responsable_légal")},
        {noms::genres, 8, noms::famille, {col(0, "genre_conjoint")}, u("nom_conjoint")},

        {noms::assertions, 1, noms::famille, {col(0, "communication_données")}, {}},
        {noms::assertions, 2, noms::famille, {col(0, "élection_comité_responsable_légal")}, {}},
        {noms::assertions, 3, noms::famille, {col(0, "élection_comité_conjoint")}, {}},

        // The class picker copies from its own text boxes, saved or not.
        {noms::equipe, 7, noms::eleve,
         {texte("référence_classe_enseignant", "référence_classe_élève"),
          texte("niveau_classe_enseignant", "niveau_classe_élève"),
          texte("cycle_classe_enseignant", "cycle_classe_élève")},
         u("cursus_allongé_élève")},

        {noms::choix_famille, 1, noms::eleve, {col(0, "référence_famille")}, u("référence_famille")},
    };
    return t;
}

const QVector<Bouton>& boutons() {
    static const QVector<Bouton> t = [] {
        QVector<Bouton> b;
        const auto a = [&](const QString& appelant, const char* nom, const QString& selecteur, qint16 code) {
            b.append({appelant, u(nom), selecteur, code});
        };
        a(noms::eleve, "Command8", noms::adresses, 1);
        a(noms::eleve, "Command9", noms::villes, 1);
        a(noms::eleve, "Command10", noms::villes, 1);
        a(noms::eleve, "Command5", noms::nationalites, 1);
        a(noms::eleve, "Command7", noms::sexe, 1);
        a(noms::eleve, "Command11", noms::langues_vivantes, 7);
        a(noms::eleve, "Command12", noms::equipe, 7);
        b.last().nouvelleSiVide = true;

        a(noms::famille, "Command19", noms::assertions, 1);
        a(noms::famille, "Command8", noms::adresses, 2);
        a(noms::famille, "Command5", noms::villes, 2);
        a(noms::famille, "Command6", noms::villes, 2);
        a(noms::famille, "Command13", noms::csp, 2);
        a(noms::famille, "Command15", noms::situations_familiales, 2);
        a(noms::famille, "Command18", noms::assertions, 2);
        a(noms::famille, "Command12", noms::assurances, 2);
        a(noms::famille, "Command10", noms::medecins, 2);
        a(noms::famille, "Command11", noms::hopitaux, 2);
        a(noms::famille, "Command2", noms::adresses, 3);
        a(noms::famille, "Command7", noms::villes, 3);
        a(noms::famille, "Command9", noms::villes, 3);
        a(noms::famille, "Command14", noms::csp, 3);
        a(noms::famille, "Command17", noms::assertions, 3);
        a(noms::famille, "Command21", noms::genres, 7);
        a(noms::famille, "Command20", noms::genres, 8);

        for (const auto& [fenetre, code] : {std::pair{noms::ecole, 4}, std::pair{noms::inspection, 5}}) {
            a(fenetre, "Command2", noms::adresses, code);
            a(fenetre, "Command3", noms::genres, code);
            a(fenetre, "Command7", noms::villes, code);
            a(fenetre, "Command9", noms::villes, code);
        }
        a(noms::equipe, "Command2", noms::adresses, 6);
        a(noms::equipe, "Command5", noms::genres, 6);
        a(noms::equipe, "Command4", noms::niveaux, 6);
        a(noms::equipe, "Command7", noms::villes, 6);
        a(noms::equipe, "Command9", noms::villes, 6);
        return b;
    }();
    return t;
}

const Bouton* chercher_bouton(const QString& appelant, const QString& nom) {
    for (const Bouton& b : boutons())
        if (b.appelant == appelant && b.nom == nom) return &b;
    return nullptr;
}

void definir_liaison(Liaison l) { liaison() = std::move(l); }

QString infobulle_choix() { return QStringLiteral("Cliquez pour accéder aux différents choix possibles"); }

namespace {
// The field a choice button fills: the one beside it, right of it on its row of the grid or
// form it is laid out in (however deep). A button with no such field stays in the Tab path.
QLineEdit* voisin_dans(QLayout* disposition, QPushButton* bouton) {
    if (!disposition) return nullptr;
    if (auto* formulaire = qobject_cast<QFormLayout*>(disposition)) {
        int ligne = -1;
        QFormLayout::ItemRole role;
        formulaire->getWidgetPosition(bouton, &ligne, &role);
        if (ligne >= 0 && role == QFormLayout::LabelRole)
            if (QLayoutItem* voisin = formulaire->itemAt(ligne, QFormLayout::FieldRole))
                return qobject_cast<QLineEdit*>(voisin->widget());
    }
    if (auto* grille = qobject_cast<QGridLayout*>(disposition)) {
        const int i = grille->indexOf(bouton);
        if (i >= 0) {
            int ligne = 0, colonne = 0, l = 0, c = 0;
            grille->getItemPosition(i, &ligne, &colonne, &l, &c);
            QLayoutItem* voisin = grille->itemAtPosition(ligne, colonne + c);
            return voisin ? qobject_cast<QLineEdit*>(voisin->widget()) : nullptr;
        }
    }
    for (int i = 0; i < disposition->count(); ++i)
        if (QLineEdit* zone = voisin_dans(disposition->itemAt(i)->layout(), bouton)) return zone;
    return nullptr;
}

QWidget* champ_du_bouton(QPushButton* bouton) {
    QWidget* parent = bouton->parentWidget();
    return parent ? voisin_dans(parent->layout(), bouton) : nullptr;
}
}  // namespace

void brancher(forms::Feuille& appelant) {
    for (const Bouton& b : boutons()) {
        if (b.appelant != appelant.nom()) continue;
        auto* bouton = appelant.findChild<QPushButton*>(b.nom);
        if (!bouton) continue;
        bouton->setToolTip(infobulle_choix());
        forms::relier(bouton, &QPushButton::clicked, &appelant, [&b] { appeler(b); });
        if (QWidget* champ = champ_du_bouton(bouton)) forms::touche_de_choix(champ, bouton);
    }
}

const Choix* chercher(const QString& selecteur, qint16 code) {
    for (const Choix& c : table())
        if (c.code == code && c.selecteur == selecteur) return &c;
    return nullptr;
}

namespace {

void montrer(forms::Feuille& f) {
    if (auto* fd = qobject_cast<reglages::FenetreDonnees*>(&f)) {
        fd->montrerAccepter();
        return;
    }
    f.controle<QPushButton>(QStringLiteral("bouton_accepter"))->setVisible(true);
}

void retirer(forms::Feuille& f) {
    if (auto* fd = qobject_cast<reglages::FenetreDonnees*>(&f)) {
        fd->retirerAccepter();
        return;
    }
    if (auto* b = f.findChild<QPushButton*>(QStringLiteral("bouton_accepter"))) b->setVisible(false);
}

QString valeur(forms::Feuille& selecteur, const Copie& c) {
    if (c.colonne < 0) return selecteur.controle<QLineEdit>(c.source)->text();
    auto* grille = selecteur.controle<forms::GrilleDonnees>(QStringLiteral("grdDataGrid"));
    grille->setCol(c.colonne);
    const QString texte = grille->Text();
    // The new-row line, or a list without a row, offers nothing to pick: its empty cells
    // would only blank what the caller's fields already hold.
    if (grille->surLigneNouvelle() || !grille->currentIndex().isValid())
        db::lever(db::erreurs::AucunEnregistrement);
    return texte;
}

}  // namespace

void appeler(const QString& selecteur, qint16 code) {
    appeler(Bouton{{}, {}, selecteur, code});
}

void appeler(const Bouton& b) {
    // A list that cannot be bound is not offered: its error is the one the caller reports.
    if (!liaison()) db::lever(erreurs_execution::AppelIncorrect);
    liaison()(forms::description(b.selecteur).liant);
    forms::Feuille& f = forms::Feuilles::charger(b.selecteur);
    // A list without any row gets a blank record to fill in before it can be picked from.
    if (auto* fd = qobject_cast<reglages::FenetreDonnees*>(&f); fd && b.nouvelleSiVide) {
        auto& rs = fd->datPrimaryRS()->Recordset();
        if (rs.Eof() && rs.Bof()) rs.AddNew();
    }
    montrer(f);
    code_appelant = b.code;
    f.setProperty(CodeOuverture, static_cast<int>(b.code));
    const Choix* choix = chercher(b.selecteur, b.code);
    f.setProperty(AppelantOuverture, b.appelant.isEmpty() && choix ? choix->appelant : b.appelant);
    f.afficher();
}

QString appelant_de(const forms::Feuille& selecteur) { return selecteur.property(AppelantOuverture).toString(); }

void accepter(forms::Feuille& selecteur) {
    const qint16 code = code_appelant;
    const QVariant ouverture = selecteur.property(CodeOuverture);
    const Choix* choix = chercher(selecteur.nom(), code);
    // Another caller has taken over since this picker was opened: its fields are not ours
    // to fill, even when this picker knows its code.
    if (ouverture.isValid() && ouverture.toInt() != code) choix = nullptr;

    forms::Feuille* appelant = choix ? forms::Feuilles::siChargee(choix->appelant) : nullptr;
    if (choix && !appelant) {
        retirer(selecteur);
        selecteur.setProperty(CodeOuverture, QVariant());
        forms::boite_message(QStringLiteral("La fiche d'origine a été fermée : le choix ne peut plus y être inséré."),
                             forms::styles::Avertissement);
        return;
    }
    if (!choix) {
        retirer(selecteur);
        selecteur.setProperty(CodeOuverture, QVariant());
        return;
    }
    // Read every value first, then write: a failure leaves the caller's fields as they were.
    QStringList valeurs;
    for (const Copie& c : choix->copies) valeurs << valeur(selecteur, c);
    QVector<QLineEdit*> destinations;
    for (const Copie& c : choix->copies) destinations << appelant->controle<QLineEdit>(c.destination);
    QWidget* focus = choix->focus.isEmpty() ? nullptr : appelant->controle<QWidget>(choix->focus);
    for (int i = 0; i < destinations.size(); ++i) destinations[i]->setText(valeurs[i]);

    selecteur.decharger();
    appelant->afficher();
    if (focus) focus->setFocus(Qt::OtherFocusReason);
}

}  // namespace selecteurs
