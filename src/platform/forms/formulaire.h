#pragma once
// The fields of a record window, each described by one row (forms::Champ), and the one builder
// that makes them: the control bound to its field, the label or button beside it, their places
// in the grid of their tab and frame, the tab that follows the focus and the keyboard's order.
// The window lays out its tabs and frames and keeps what is its own.
#include <QHash>
#include <QPair>
#include <QString>
#include <QVector>
#include <functional>

class QGridLayout;
class QWidget;
namespace forms { class ControleDonnees; }

namespace forms {

enum class Genre {
    Ligne,       // one-line text box
    Multiligne,  // several lines, vertical scroll bar
    Verrouille,  // one line, shown but not typed into
    Cachee,      // bound but never shown nor placed
    Case,        // check box (yes/no field), its caption its own
};

enum class Voisin {
    Aucun,
    Libelle,  // a label
    Bouton,   // a button serving as the label: a choice button, whose picker gives its tooltip,
              // or a search or command button
};

// Above the tabs, always visible.
constexpr int AuDessusDesOnglets = -1;

struct Champ {
    QString controle;     // the control's name
    QString champ;        // the field of the table it edits
    int longueur = 0;     // most characters typed (0: no limit)
    int onglet = AuDessusDesOnglets;
    QString cadre;        // the frame holding it inside its tab ("" the tab itself)
    int ligne = 0;        // the grid cell of what stands beside it; the control takes the
    int colonne = 0;      // next column
    int hauteur = 1;      // rows and columns the control spans (-1: to the grid's last column)
    int largeur = 1;
    Voisin voisin = Voisin::Libelle;
    QString nomVoisin;    // the button's name, or the label's when others reach it by name
    QString texteVoisin;  // the label's text, the button's caption, or the check box's own
    QString infobulleVoisin;
    Genre genre = Genre::Ligne;
    QString infobulle;    // "" none
    bool tourneOnglet = true;  // entering it turns the tabbed control to its tab
};

// How a window's controls take their room.
struct Mise {
    bool largeurSelonLongueur = false;  // one-line boxes as wide as their limit, on the left
    int lignesMultiligne = 0;           // lines a multi-line box shows (0: its cells' height)
    int alignementVoisin = 0;           // Qt::Alignment of what stands beside a control
};

class Formulaire {
public:
    // `grille` gives the grid of a field's tab and frame, made by the window on first request.
    Formulaire(forms::ControleDonnees* donnees, std::function<QGridLayout*(const Champ&)> grille, Mise mise = {});

    // Each field created, bound and placed, in the table's order.
    void construire(const QVector<Champ>& champs);
    // One field created and bound in `parent`, placed by the caller; returns its control.
    QWidget* creer(const Champ& c, QWidget* parent);

    QWidget* controle(const QString& nom) const { return controles_.value(nom); }
    QWidget* voisin(const QString& controle) const { return voisins_.value(controle); }
    // The controls that turn the tabbed control to their tab.
    const QVector<QPair<QWidget*, int>>& suiviOnglets() const { return suivi_; }
    // What stands beside each placed control, then the control, in the table's order.
    const QVector<QWidget*>& ordre() const { return ordre_; }

private:
    forms::ControleDonnees* donnees_;
    std::function<QGridLayout*(const Champ&)> grille_;
    Mise mise_;
    QHash<QString, QWidget*> controles_, voisins_;
    QVector<QPair<QWidget*, int>> suivi_;
    QVector<QWidget*> ordre_;
};

}  // namespace forms
