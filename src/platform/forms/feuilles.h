#pragma once
// The registry in which every window exists once, under its own name. Reaching a window that
// is not loaded creates it and runs its load event without showing it; unloading deletes it.
#include "platform/erreur.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/feuille.h"
#include "platform/forms/noms_feuilles.h"
#include <functional>

class QMdiArea;

namespace forms {

class Feuilles {
public:
    static void enregistrer(const QString& nom, std::function<Feuille*()> fabrique);
    static bool estEnregistree(const QString& nom);
    static QStringList enregistrees();  // the names of the registered windows

    // Loads the window if needed (Form_Load runs), never shows it. 91 for an unknown name.
    static Feuille& charger(const QString& nom);
    // The window as the class it is expected to be; 13 when it is another kind of window.
    template <class T> static T& obtenir(const QString& nom) {
        T* f = dynamic_cast<T*>(&charger(nom));
        if (!f) db::lever(erreurs_execution::TypeIncompatible, QStringLiteral(" (%1)").arg(nom));
        return *f;
    }
    static bool estChargee(const QString& nom);
    static QStringList chargees();  // the names of the loaded windows
    static Feuille* siChargee(const QString& nom);  // nullptr when not loaded
    static void decharger(const QString& nom);
    static void toutDecharger();
    // Lets go of the database files: every loaded window holding a data control unloads (its
    // unload saves the record being typed), or, for a window hidden rather than closed, its
    // data controls close and forget their file; a window that shows the database's data
    // without a data control (a preview) unloads too. The windows named in `sauf` stay as they
    // are. False as soon as a window refuses to go (its user went back to the record).
    static bool lacherBases(const QStringList& sauf = {});

    // The multi-document area that child windows open in (none: they are top-level).
    static void definirZone(QMdiArea* zone);
    static QMdiArea* zone();

private:
    friend class Feuille;
    static void oublier(Feuille* f);
};

}  // namespace forms
