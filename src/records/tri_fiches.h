#pragma once
// The sort box `Combo1` of the pupil and family windows: made alike, and choosing one of its
// entries binds the window again in that order.
#include <QString>
#include <QStringList>

class QComboBox;
class QWidget;
namespace forms { class ControleDonnees; class FenetreDonnees; }

namespace tri_fiches {

// The box with its entries, named `Combo1` and with its tooltip.
QComboBox* creer(QWidget* parent, const QStringList& entrees);

// Choosing the entry the box shows: the record shown is left by the window's one rule; a user
// who goes back to it keeps the box on the order in use (forms::EntreeTriEnCours). Otherwise
// that entry becomes the order in use and the window's data control reads the working database
// in the order of source(entry) (see lier). A failure is told in the general error box.
void choisir(forms::FenetreDonnees& fenetre, QComboBox* boite, QString (*source)(const QString& entree));

// The window's loading: its box on the first entry, chosen. When one of the window's binders
// loads it, the box is only set: the binder binds the window right after, so that its records
// are read once.
void charger(forms::FenetreDonnees& fenetre, QComboBox* boite, QString (*source)(const QString& entree));

// Points `dat` at the working database and `source` and reads the records, the first one
// shown. A control that already reads the working database (the same file, not replaced
// since) through that very source is not read again: it only goes back to its first record.
void lier(forms::ControleDonnees* dat, const QString& source);

}  // namespace tri_fiches
