#pragma once
// The lock keys' state as the keyboard shows it on its lights, read from the display server
// when the program runs on one; elsewhere (no display, offscreen) every lock reads as off.

namespace forms {

struct VerrousClavier {
    bool majuscules = false;  // Caps Lock
    bool numerique = false;   // Num Lock
};

VerrousClavier lire_verrous_clavier();

}  // namespace forms
