#pragma once
// Test databases: fresh copies of the real blank template in a temporary folder.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace test {

// A copy of "basevide.mdz" named `nom` inside `dossier`; returns its full path.
inline QString copie_modele(const QTemporaryDir& dossier, const QString& nom = "essai.mdb") {
    const QString cible = QDir(dossier.path()).filePath(nom);
    QFile::remove(cible);
    if (!QFile::copy(QStringLiteral(CARNELIS_MODELE_VIDE), cible)) return {};
    QFile::setPermissions(cible, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return cible;
}

// The demonstration database built with the program.
inline QString chemin_exemple() { return QStringLiteral(CARNELIS_DOSSIER_PROGRAMME) + "/exemple.mdb"; }

// Copies the report templates of the built program folder into `dossier` and returns it, ended
// by "/", as a program folder of the test's own: whatever the program then writes into its
// folder (its options) never lands in the real one.
inline QString dossier_programme_a_part(const QTemporaryDir& dossier) {
    const QDir construit(QStringLiteral(CARNELIS_DOSSIER_PROGRAMME));
    for (const QString& nom : construit.entryList({QStringLiteral("*.rpt")}, QDir::Files))
        QFile::copy(construit.filePath(nom), QDir(dossier.path()).filePath(nom));
    return dossier.path() + QLatin1Char('/');
}

}  // namespace test
