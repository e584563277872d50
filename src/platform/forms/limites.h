#pragma once
// The most characters a text box takes, counted as the database counts them: a letter outside
// the basic plane (an emoji) is one character, though it takes two UTF-16 units. What the user
// types or pastes past the limit is refused whole and told at once, with a beep and a line in
// the main window's status bar naming the field and its limit. Nothing is ever cut: a value
// that the program puts in the box is shown whole, even longer than the limit, and the user
// may shorten it but not lengthen it.
#include <QString>
#include <QStringView>
#include <functional>

class QLineEdit;
class QPlainTextEdit;

namespace forms {

int nombre_caracteres(QStringView texte);

// The field's caption as the user reads it on screen, asked when something is told.
using Libelle = std::function<QString()>;

// `n` <= 0: no limit. Called again, the limit changes and the caption stays.
void limiter(QLineEdit* zone, int n, Libelle libelle = {});
void limiter(QPlainTextEdit* zone, int n, Libelle libelle = {});

// Puts a value into a multi-line box as the program does: shown whole, whatever its length.
// (A one-line box tells the program's setText from the user's typing by itself.)
void montrer_texte(QPlainTextEdit* zone, const QString& texte);

// How many characters the box accepts (0: no limit).
int limite_caracteres(const QLineEdit* zone);
int limite_caracteres(const QPlainTextEdit* zone);

// A beep and `texte` in the main window's status bar for a while.
void signaler_dans_barre_etat(const QString& texte);

}  // namespace forms
