#pragma once
// What every benchmark needs: medians and the generated database of 10,000 pupils and 7,000
// families, written by the build's generator into a temporary folder.
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

// Writes "bench.mdb" into `dossier` from the blank template; its path, or "" on failure.
inline QString generer_base(const QString& generateur, const QString& modele, const QString& dossier) {
    const QString base = QDir(dossier).filePath(QStringLiteral("bench.mdb"));
    std::printf("Génération de la base (10 000 élèves, 7 000 familles)...\n");
    std::fflush(stdout);
    if (QProcess::execute(generateur, {QStringLiteral("exemple"), modele, base, QStringLiteral("--eleves"),
                                       QStringLiteral("10000"), QStringLiteral("--familles"),
                                       QStringLiteral("7000")}) != 0) {
        std::fprintf(stderr, "échec de %s\n", qPrintable(generateur));
        return {};
    }
    return base;
}

}  // namespace bench
