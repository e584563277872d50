#include "reports/nom_fichier_sortie.h"

#include <QDir>

namespace reports {

QString nom_fichier_sortie(const QString& reponse, const QString& suffixe) {
    QString nom = reponse.trimmed();
    // Both separators: the users of this system type "\", this platform's paths use "/".
    if (nom.endsWith('\\') || nom.endsWith('/')) nom.chop(1);
    if (nom.trimmed().isEmpty()) return QString();
    if (nom.right(4).toUpper() != suffixe.toUpper()) nom += suffixe;
    return nom;
}

QString proposition_fichier(const QString& nom) {
    return QDir(QDir::homePath()).filePath(nom);
}

}  // namespace reports
