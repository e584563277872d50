#pragma once
// A caption that blinks to draw the eye: shown, then blank, twice a second, driven by the
// window's timer "Timer1". The control keeps the size of the caption it had, so that nothing
// around it moves while its caption is blank.
#include <QString>

class QAbstractButton;
class QTimer;
class QWidget;

namespace forms {

QTimer* clignoter(QAbstractButton* controle, const QString& legende, QWidget* fenetre);

}  // namespace forms
