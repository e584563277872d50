#include "shell/placement.h"
#include "shell/module1.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuille.h"

namespace shell {

Position position_centree(float largeur, float hauteur, float largeurEcran, float hauteurEcran,
                          float montee, float decalageGauche) {
    Position p;
    p.top = (hauteurEcran - hauteur) / 2.0f - montee;
    p.left = (largeurEcran - largeur) / 2.0f - decalageGauche;
    return p;
}

namespace {
void placer(forms::Feuille& f, float montee, float decalageGauche) {
    forms::pieger([&] {
        const Position p = position_centree(
            static_cast<float>(f.Width()), static_cast<float>(f.Height()),
            static_cast<float>(f.largeurEcran()), static_cast<float>(f.hauteurEcran()),
            montee, decalageGauche);
        f.setTop(p.top);
        f.setLeft(p.left);
    }, forms::Prefixe::Donnees);
}
}  // namespace

}  // namespace shell

void Module1::centrer_feuille(forms::Feuille& f) { shell::placer(f, 500.0f, 0.0f); }
void Module1::centrer_feuille_decalee(forms::Feuille& f) { shell::placer(f, 1500.0f, 1000.0f); }
