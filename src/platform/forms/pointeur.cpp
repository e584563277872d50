#include "platform/forms/pointeur.h"

#include <QCursor>
#include <QGuiApplication>

namespace forms {

namespace {
int valeur = PointeurDefaut;
bool surcharge = false;  // our one override cursor is on the application's stack
}

int pointeur_souris() { return valeur; }

void definir_pointeur_souris(int v) {
    valeur = v;
    const bool sablier = (v == Sablier);
    if (!qGuiApp || sablier == surcharge) return;
    // Never more than one override: setting the hourglass twice and the default once must
    // leave the default arrow.
    if (sablier)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    surcharge = sablier;
}

}  // namespace forms
