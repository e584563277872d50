#pragma once
// The plain controls every window builds by hand: a label and a button carrying their names.
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace forms {

// A text written in the source as UTF-8 (accented captions and messages).
inline QString u(const char* s) { return QString::fromUtf8(s); }

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte = QString());

// A button never takes Enter for itself: Enter belongs to the window's own reactions.
QPushButton* bouton(QWidget* parent, const QString& nom, const QString& legende, const QString& infobulle = QString());

// The label or button that stands beside a field and names it for the user.
void nommer(QWidget* controle, QWidget* voisin);
// The caption a user reads for a field, as on screen now: its accessible name when its window
// gives one, else the text of what stands beside it, else a check box's own text; without the
// keyboard marks ("&") and a closing colon. "" when nothing names it.
QString libelle_de(const QWidget* controle);

}  // namespace forms
