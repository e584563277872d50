#pragma once
// Window placement computed in twips, in single precision.
namespace shell {

struct Position {
    float top;
    float left;
};

// Centred in the given area, then raised by `montee` and moved left by `decalageGauche`.
// Nothing is clamped: a window larger than its area gets a negative position.
Position position_centree(float largeur, float hauteur, float largeurEcran, float hauteurEcran,
                          float montee, float decalageGauche);

}  // namespace shell
