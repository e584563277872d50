#pragma once
// The registry in which every window exists once, under its own name. Reaching a window that
// is not loaded creates it and runs its load event without showing it; unloading deletes it.
#include "platform/forms/feuille.h"
#include <functional>

class QMdiArea;

namespace forms {

class Feuilles {
public:
    static void enregistrer(const QString& nom, std::function<Feuille*()> fabrique);
    static bool estEnregistree(const QString& nom);

    // Loads the window if needed (Form_Load runs), never shows it. 91 for an unknown name.
    static Feuille& charger(const QString& nom);
    template <class T> static T& obtenir(const QString& nom) {
        return *static_cast<T*>(&charger(nom));
    }
    static bool estChargee(const QString& nom);
    static Feuille* siChargee(const QString& nom);  // nullptr when not loaded
    static void decharger(const QString& nom);
    static void toutDecharger();

    // The multi-document area that child windows open in (none: they are top-level).
    static void definirZone(QMdiArea* zone);
    static QMdiArea* zone();

private:
    friend class Feuille;
    static void oublier(Feuille* f);
};

}  // namespace forms
