#pragma once
// What every benchmark needs: medians and a generated database (10,000 pupils and 7,000
// families unless told), written by the build's generator into a temporary folder.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QVector>

#include <algorithm>
#include <cstdio>

namespace bench {

inline double mediane(QVector<double> v) {
    std::sort(v.begin(), v.end());
    const int n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// The generator given on the command line (argument 2) or the one the build made.
inline QString generateur(int argc, char** argv, const QString& modele) {
    return argc > 2 ? QString::fromLocal8Bit(argv[2]) : QFileInfo(modele).absolutePath() + "/../schema/generer_base";
}

// Writes "bench<eleves>.mdb" into `dossier` from the blank template; its path, or "" on failure.
inline QString generer_base(const QString& generateur, const QString& modele, const QString& dossier,
                            int eleves = 10000, int familles = 7000) {
    const QString base = QDir(dossier).filePath(QStringLiteral("bench%1.mdb").arg(eleves));
    std::printf("Génération de la base (%d élèves, %d familles)...\n", eleves, familles);
    std::fflush(stdout);
    if (QProcess::execute(generateur, {QStringLiteral("exemple"), modele, base, QStringLiteral("--eleves"),
                                       QString::number(eleves), QStringLiteral("--familles"),
                                       QString::number(familles)}) != 0) {
        std::fprintf(stderr, "échec de %s\n", qPrintable(generateur));
        return {};
    }
    return base;
}

}  // namespace bench
