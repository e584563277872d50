#pragma once
// The small pictures of the splash and login windows, drawn rather than shipped as files.
#include <QPixmap>

namespace shell {
QPixmap dessin_cle();     // a key, for the access code
QPixmap dessin_ecole();   // a school house, for the splash
QPixmap dessin_cahier();  // an exercise book, for the splash
}
