#pragma once
// How a data window differs from the shared data-window behaviour. Every window built on
// FenetreDonnees takes one of these records from its window's description
// (descriptions_fenetres.h), so that no window re-implements the record buttons.
#include <QString>

namespace forms {

// What "&Ajouter" does.
enum class Ajout {
    Grille,          // last record, focus to the grid, grid onto its new-row line
    NouvelleFiche,   // a new blank record in the data control
    Propre,          // the window's own command (the window overrides cmdAjouter_Click)
    Aucun,           // no button: one-record windows
};

// What the data control's error event shows.
enum class ErreurDonnees { Message, Silencieuse };

// The data control's caption after each move; Masquee also hides the data control.
enum class Legende { Masquee, Fiche, NumeroSeul };

// Where the window places itself at load.
enum class Placement { Centree, Decalee };

// The "Accepter" button of picker windows.
enum class Accepter {
    Aucun,      // not a picker
    Masque,     // hidden until a caller shows it; Enter presses it, Escape presses "&Fermer"
    Desactive,  // always visible, disabled until a caller enables it
};

// What unloading does to "Accepter" before resetting the pointer.
enum class AuDechargement { RetirerAccepter, PointeurSeul };

extern const QString InfobulleRafraichir;          // the usual wording
extern const QString InfobulleRafraichirSansAccent;

struct Variation {
    Ajout ajout = Ajout::Grille;
    bool supprimer = true;
    bool rafraichir = true;
    ErreurDonnees erreur = ErreurDonnees::Message;
    Legende position = Legende::Masquee;
    Placement placement = Placement::Centree;
    Accepter accepter = Accepter::Masque;
    AuDechargement dechargement = AuDechargement::RetirerAccepter;
    bool validerPropre = false;  // the window overrides cmdMettreajour_Click
    QString infobulleRafraichir = InfobulleRafraichir;
};

// The variation of a window by its name, from its description; a name that no window has is a
// programming error (5).
Variation variation_de(const QString& nomFenetre);

}  // namespace forms
