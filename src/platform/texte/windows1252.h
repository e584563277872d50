#pragma once
// The Windows Western single-byte code page (Windows-1252), for the files this program
// writes for other programs.
#include <QByteArray>
#include <QString>

namespace codage {

// The byte of one UTF-16 unit in Windows-1252, or -1 when the code page has no such character.
int octet_windows1252(char16_t c);

// A whole text in Windows-1252. A character the code page lacks becomes its letter without
// accents where there is one ("Ł" gives "L", "ő" gives "o"), else "?" (one per character, a
// pair of surrogates included).
QByteArray vers_windows1252(const QString& texte);

}  // namespace codage
