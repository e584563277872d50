#pragma once
// "À propos du logiciel": which program and version is running, what it is built on, and a
// button that starts the desktop's system-information tool named in the key store.
#include "platform/forms/feuille.h"

namespace shell {

class FeuilleCopyright : public forms::Feuille {
    Q_OBJECT
public:
    FeuilleCopyright();
    void Form_Load() override;
    bool masqueeALaFermeture() const override { return true; }
};

// Starts the program the key store names for system information; tells the user when there
// is none or it does not start.
void lancer_infos_systeme();

// Names in the key store the first system-information tool found on the PATH, when the
// store names none yet. Run at the program's start.
void noter_outil_infos_systeme();

}  // namespace shell
