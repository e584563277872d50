#pragma once
// The answer of an input box asking for an output file, made into the file's name. Shared by
// the processing window (".RTF") and the spreadsheet export (".XLS").
#include <QString>

namespace reports {

// Trims the answer, drops one trailing folder separator, and appends `suffixe` unless the
// answer already ends with it in any case: "C:\Listes\" gives "C:\Listes.RTF", "bilan.txt"
// gives "bilan.txt.RTF", " bilan.rtf " gives "bilan.rtf". An answer that is empty once trimmed
// of blanks and the separator (Cancel) gives "": the caller refuses it rather than write a
// file named only by its suffix.
QString nom_fichier_sortie(const QString& reponse, const QString& suffixe);

// The proposed answer: the default file name in the user's home folder.
QString proposition_fichier(const QString& nom);

}  // namespace reports
