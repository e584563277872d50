#pragma once
// The screen's mouse pointer, one value shared by all windows: 0 default, 11 hourglass.
namespace forms {
constexpr int PointeurDefaut = 0, Sablier = 11;
int pointeur_souris();
void definir_pointeur_souris(int valeur);
}  // namespace forms
