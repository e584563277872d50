#pragma once
// Pickers: a choice button beside a field opens a reference window as a picker, and its
// "Accepter" copies the chosen row into the fields of the window that asked. Which window
// asked is told by the caller code (code_appelant). Each part of the program hands over the rows of
// its own caller windows when it registers them: which picker and code copy which columns into
// which of its controls and focus which field afterwards, and which of its buttons open them.
#include <QString>
#include <QVector>
#include <deque>
#include <functional>

namespace forms { class Feuille; }

namespace selecteurs {

// Which caller opened a picker: the code of the caller in force, shared by every picker.
extern qint16 code_appelant;

// How a picker's table is bound before the picker is shown: the binder of that name runs,
// and its first failing step is raised. The program sets it once, at start.
using Liaison = std::function<void(const QString& liant)>;
void definir_liaison(Liaison liaison);

struct Copie {
    int colonne = -1;     // the picker grid's column; -1: the picker's own text box `source`
    QString source;
    QString destination;  // text box of the caller window
};

struct Choix {
    QString selecteur;    // picker window
    qint16 code = 0;      // caller code
    QString appelant;     // caller window
    QVector<Copie> copies;
    QString focus;        // the caller's field focused afterwards ("" none)
};

// A column of the picker's grid copied into the caller's text box; one of the picker's own text
// boxes copied into it.
Copie colonne(int colonne, const char* destination);
Copie zone(const char* source, const char* destination);

// Adds rows to the table; a row for a picker and code already there replaces it.
void ajouter_choix(const QVector<Choix>& choix);
// Every row added, in the order added. Elements stay in place as others are added.
const std::deque<Choix>& table();
// The row of a picker for a code; nullptr when the picker's table lacks that code.
const Choix* chercher(const QString& selecteur, qint16 code);

// A choice button of a caller window: the binder and picker it opens, the caller code it sets.
struct Bouton {
    QString appelant;     // caller window
    QString nom;          // its button ("Command8")
    QString selecteur;    // picker window
    qint16 code = 0;
    bool nouvelleSiVide = false;  // an empty list starts a new record in the picker first
};

Bouton bouton(const QString& appelant, const char* nom, const QString& selecteur, qint16 code);
// Adds choice buttons; one of a caller already there replaces it.
void ajouter_boutons(const QVector<Bouton>& boutons);
const std::deque<Bouton>& boutons();
const Bouton* chercher_bouton(const QString& appelant, const QString& nom);

// Wires every choice button that the table lists for this window and that the window holds:
// the tooltip "Cliquez pour accéder aux différents choix possibles", and a click that opens
// its picker (appeler), failures reported with the general error message.
void brancher(forms::Feuille& appelant);
QString infobulle_choix();

// A choice button's click, in this order: the picker's binder (definir_liaison), the
// picker's "Accepter" shown (enabled where it is always visible), code_appelant set, the
// picker shown and brought to the front. The picker notes the code it was opened with.
void appeler(const QString& selecteur, qint16 code);
void appeler(const Bouton& bouton);

// The caller window a picker was opened for ("" when none, or opened from the menu).
QString appelant_de(const forms::Feuille& selecteur);

// The accept operation of a picker (its "Accepter", or the relay of its grid). The code in
// force is code_appelant; a picker opened by one caller copies nothing once another caller
// has set a different code. Matched: copies, unloads the picker, focuses the caller's field.
// Not matched: nothing copied, the picker stays open and its "Accepter" is withdrawn.
// A grid without a current row (its new-row line, an empty list) raises "no current record",
// before anything is copied. Raises the engine's or the program's errors; the caller traps them.
void accepter(forms::Feuille& selecteur);

}  // namespace selecteurs
