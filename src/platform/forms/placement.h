#pragma once
// Window placement computed in twips, in single precision.
namespace forms {

class Feuille;

struct Position {
    float top;
    float left;
};

// Centred in the given area, then raised by `montee` and moved left by `decalageGauche`.
// Nothing is clamped: a window larger than its area gets a negative position.
Position position_centree(float largeur, float hauteur, float largeurEcran, float hauteurEcran,
                          float montee, float decalageGauche);

// A window centred in its area and raised by 500 twips; the offset variant is raised by 1500
// and moved 1000 to the left, so that it does not hide the window that opened it.
void centrer_feuille(Feuille& f);
void centrer_feuille_decalee(Feuille& f);

}  // namespace forms
