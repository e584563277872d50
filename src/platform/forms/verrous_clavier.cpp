#include "platform/forms/verrous_clavier.h"
#include <QGuiApplication>
// X11's headers come last: their macros (None, Bool, Status...) would clash with Qt's names.
#include <X11/XKBlib.h>

namespace forms {

namespace {

bool indicateur(Display* d, const char* nom) {
    Bool allume = False;
    const Atom a = XInternAtom(d, nom, True);
    if (a == 0) return false;
    if (!XkbGetNamedIndicator(d, a, nullptr, &allume, nullptr, nullptr)) return false;
    return allume;
}

}  // namespace

VerrousClavier lire_verrous_clavier() {
    VerrousClavier v;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display()) return v;
    v.majuscules = indicateur(x11->display(), "Caps Lock");
    v.numerique = indicateur(x11->display(), "Num Lock");
    return v;
}

}  // namespace forms
