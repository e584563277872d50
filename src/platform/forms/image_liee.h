#pragma once
// A picture box that shows the picture whose path a text box holds (bound to a field, hidden
// or not): every change of the text reloads the picture.
class QLabel;
class QLineEdit;
class QString;

namespace forms {

// From now on `image` follows `chemin`: an empty path, or a path that names no ordinary file,
// clears the picture; a file that is not a readable picture clears it and is reported with the
// general error message (481), the path staying as it is.
void lier_image(QLabel* image, QLineEdit* chemin);

// Loads the picture at `chemin` into `image`, scaled to fit; the same rules, 481 raised.
void charger_image(QLabel* image, const QString& chemin);

}  // namespace forms
