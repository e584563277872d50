#include "platform/forms/placement.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuille.h"

namespace forms {

Position position_centree(float largeur, float hauteur, float largeurEcran, float hauteurEcran,
                          float montee, float decalageGauche) {
    Position p;
    p.top = (hauteurEcran - hauteur) / 2.0f - montee;
    p.left = (largeurEcran - largeur) / 2.0f - decalageGauche;
    return p;
}

namespace {
void placer(Feuille& f, float montee, float decalageGauche) {
    pieger([&] {
        const Position p = position_centree(
            static_cast<float>(f.Width()), static_cast<float>(f.Height()),
            static_cast<float>(f.largeurEcran()), static_cast<float>(f.hauteurEcran()),
            montee, decalageGauche);
        f.setTop(p.top);
        f.setLeft(p.left);
    }, Prefixe::Donnees);
}
}  // namespace

void centrer_feuille(Feuille& f) { placer(f, 500.0f, 0.0f); }
void centrer_feuille_decalee(Feuille& f) { placer(f, 1500.0f, 1000.0f); }

}  // namespace forms
