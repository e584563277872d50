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
#include "platform/forms/grille_donnees.h"
#include "platform/forms/lignes_ajoutees.h"
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

std::deque<Choix>& choix_ajoutes() {
    static std::deque<Choix> t;
    return t;
}

std::deque<Bouton>& boutons_ajoutes() {
    static std::deque<Bouton> t;
    return t;
}

}  // namespace

Copie colonne(int c, const char* destination) { return {c, {}, QString::fromUtf8(destination)}; }
Copie zone(const char* source, const char* destination) {
    return {-1, QString::fromUtf8(source), QString::fromUtf8(destination)};
}

void ajouter_choix(const QVector<Choix>& choix) {
    forms::ajouter_lignes(choix_ajoutes(), choix,
            [](const Choix& a, const Choix& b) { return a.selecteur == b.selecteur && a.code == b.code; });
}

const std::deque<Choix>& table() { return choix_ajoutes(); }

Bouton bouton(const QString& appelant, const char* nom, const QString& selecteur, qint16 code) {
    return {appelant, u(nom), selecteur, code};
}

void ajouter_boutons(const QVector<Bouton>& boutons) {
    forms::ajouter_lignes(boutons_ajoutes(), boutons,
            [](const Bouton& a, const Bouton& b) { return a.appelant == b.appelant && a.nom == b.nom; });
}

const std::deque<Bouton>& boutons() { return boutons_ajoutes(); }

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
    if (auto* fd = qobject_cast<forms::FenetreDonnees*>(&f)) {
        fd->montrerAccepter();
        return;
    }
    f.controle<QPushButton>(QStringLiteral("bouton_accepter"))->setVisible(true);
}

void retirer(forms::Feuille& f) {
    if (auto* fd = qobject_cast<forms::FenetreDonnees*>(&f)) {
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
    if (auto* fd = qobject_cast<forms::FenetreDonnees*>(&f); fd && b.nouvelleSiVide) {
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
