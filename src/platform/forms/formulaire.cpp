#include "platform/forms/formulaire.h"
#include "platform/forms/clavier.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/controles_simples.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace forms {

namespace {
// A one-line box as wide as its longest expected content: the limit, at most about 34
// characters, or a date.
int largeur_zone(const QFontMetrics& fm, int max) {
    const int caracteres = max > 0 ? std::clamp(max, 4, 34) : 11;
    return fm.averageCharWidth() * caracteres + 14;
}
}  // namespace

Formulaire::Formulaire(forms::ControleDonnees* donnees, std::function<QGridLayout*(const Champ&)> grille, Mise mise)
    : donnees_(donnees), grille_(std::move(grille)), mise_(mise) {}

QWidget* Formulaire::creer(const Champ& c, QWidget* parent) {
    QWidget* voisin = nullptr;
    if (c.voisin == Voisin::Libelle) {
        voisin = etiquette(parent, c.nomVoisin, c.texteVoisin);
    } else if (c.voisin == Voisin::Bouton) {
        voisin = bouton(parent, c.nomVoisin, c.texteVoisin, c.infobulleVoisin);
    }
    QWidget* w = nullptr;
    switch (c.genre) {
    case Genre::Ligne:
    case Genre::Verrouille:
    case Genre::Cachee: {
        auto* z = new QLineEdit(parent);
        z->setObjectName(c.controle);
        donnees_->lier(z, c.champ, c.longueur);
        z->setReadOnly(c.genre == Genre::Verrouille);
        if (mise_.largeurSelonLongueur) z->setFixedWidth(largeur_zone(z->fontMetrics(), c.longueur));
        if (c.genre == Genre::Cachee) z->hide();
        w = z;
        break;
    }
    case Genre::Multiligne: {
        auto* z = new QPlainTextEdit(parent);
        z->setObjectName(c.controle);
        if (mise_.lignesMultiligne > 0) z->setFixedHeight(z->fontMetrics().lineSpacing() * mise_.lignesMultiligne + 12);
        donnees_->lier(z, c.champ, c.longueur);
        w = z;
        break;
    }
    case Genre::Case: {
        auto* k = new QCheckBox(c.texteVoisin, parent);
        k->setObjectName(c.controle);
        donnees_->lier(k, c.champ);
        w = k;
        break;
    }
    }
    if (!c.infobulle.isEmpty()) w->setToolTip(c.infobulle);
    // A button beside a field (search, choice, date) is pressed from its field: Tab goes from
    // field to field, and what is typed next never lands on the button.
    if (auto* b = qobject_cast<QPushButton*>(voisin)) touche_de_choix(w, b);
    controles_.insert(c.controle, w);
    if (voisin) {
        voisins_.insert(c.controle, voisin);
        nommer(w, voisin);
    }
    if (c.onglet != AuDessusDesOnglets && c.tourneOnglet) suivi_.append({w, c.onglet});
    return w;
}

void Formulaire::construire(const QVector<Champ>& champs) {
    for (const Champ& c : champs) {
        QGridLayout* g = grille_(c);
        QWidget* w = creer(c, g->parentWidget());
        if (c.genre == Genre::Cachee) continue;
        const bool multiligne = c.genre == Genre::Multiligne;
        if (QWidget* v = voisin(c.controle)) {
            g->addWidget(v, c.ligne, c.colonne, multiligne ? Qt::AlignTop : Qt::Alignment(mise_.alignementVoisin));
            ordre_ << v;
        }
        const Qt::Alignment a = mise_.largeurSelonLongueur && !multiligne ? Qt::AlignLeft : Qt::Alignment();
        g->addWidget(w, c.ligne, c.colonne + 1, c.hauteur, c.largeur, a);
        ordre_ << w;
    }
}

}  // namespace forms
