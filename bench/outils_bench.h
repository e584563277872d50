#pragma once
// What every benchmark needs: medians, timing, running a tool, and a generated database (10,000 pupils and 7,000
// families unless told), written by the build's generator into a temporary folder.
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QVector>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace bench {

inline double mediane(QVector<double> v) {
    std::sort(v.begin(), v.end());
    const int n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// Runs `preparer` then times `etape`, `fois` times; the median in milliseconds.
inline double chronometrer(int fois, const std::function<void()>& preparer, const std::function<void()>& etape) {
    QVector<double> durees;
    for (int i = 0; i < fois; ++i) {
        preparer();
        QElapsedTimer t;
        t.start();
        etape();
        durees << t.nsecsElapsed() / 1e6;
    }
    return mediane(durees);
}

// Runs a command-line tool to its end, its output thrown away; true when it succeeded.
inline bool executer(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(programme, arguments);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
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
