#pragma once
// Portraits drawn for the demonstration pupils: a child's face in flat colours, different for
// every number. No photograph of anybody.
#include <QString>

namespace exemple {

// Draws portrait `numero` into `chemin`; the format follows the extension (".jpg", ".bmp").
// False when the file cannot be written.
bool dessiner_portrait(int numero, const QString& chemin);

}  // namespace exemple
