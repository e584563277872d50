#pragma once
// The program's unit of window geometry: 15 twips make one pixel.
namespace forms {
constexpr int TwipsParPixel = 15;
inline int pixels(double twips) { return static_cast<int>(twips / TwipsParPixel); }
inline double twips(int pixels) { return static_cast<double>(pixels) * TwipsParPixel; }
}  // namespace forms
