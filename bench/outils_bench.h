#pragma once
// What every benchmark needs: its command line, medians, timing, running a tool, the goals each measure is
// compared with, peak memory measured in a process of its own, and a generated database (10,000 pupils and
// 7,000 families unless told), written by the build's generator into a temporary folder.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <QVector>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace bench {

// The command line of every benchmark:
//   [--fois N] [--eleves N] [--generateur CHEMIN] [--essai]
// --fois: measures per line (medians printed); --eleves: the register's size (families: 7 for 10 pupils);
// --essai: a quick run that checks the benchmark still works, goals printed but not enforced.
// A benchmark that measures memory runs itself again with "--memoire PARTIE --base CHEMIN".
struct Options {
    int fois = 5;
    int eleves = 10000;
    QString generateur;
    bool essai = false;
    QString memoire, base;
};

// The generator given on the command line or the one the build made.
inline Options lire_options(int argc, char** argv, int fois, const QString& modele) {
    Options o;
    o.fois = fois;
    o.generateur = QFileInfo(modele).absolutePath() + "/../schema/generer_base";
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        const QString suivant = i + 1 < argc ? QString::fromLocal8Bit(argv[i + 1]) : QString();
        if (a == u"--essai") o.essai = true;
        else if (a == u"--fois") { o.fois = std::max(1, suivant.toInt()); ++i; }
        else if (a == u"--eleves") { o.eleves = std::max(1, suivant.toInt()); ++i; }
        else if (a == u"--generateur") { o.generateur = suivant; ++i; }
        else if (a == u"--memoire") { o.memoire = suivant; ++i; }
        else if (a == u"--base") { o.base = suivant; ++i; }
        else {
            std::fprintf(stderr, "argument inconnu : %s\n"
                                 "usage : %s [--fois N] [--eleves N] [--generateur CHEMIN] [--essai]\n", argv[i], argv[0]);
            std::exit(2);
        }
    }
    return o;
}

// Each measure printed beside its goal; a missed goal makes the benchmark fail, but in a quick run.
class Objectifs {
public:
    explicit Objectifs(bool essai) : essai_(essai) {}

    // A time beside its floor, the ratio at most `rapportMax`: at every size, and never met by a
    // small time alone while the ratio is missed.
    void rapport(const QString& libelle, double ms, double plancher, double rapportMax) {
        const double r = ms / std::max(0.01, plancher);
        ligne(libelle, QStringLiteral("%1 ms / %2 ms = %3 x").arg(ms, 0, 'f', 1).arg(plancher, 0, 'f', 1).arg(r, 0, 'f', 2),
              QStringLiteral("<= %1 x").arg(rapportMax, 0, 'f', 1), r <= rapportMax);
    }
    // A value under `max`, in `unite` ("ms", "Mo").
    void plafond(const QString& libelle, double valeur, double max, const QString& unite) {
        ligne(libelle, QStringLiteral("%1 %2").arg(valeur, 0, 'f', 1).arg(unite), QStringLiteral("< %1 %2").arg(max).arg(unite),
              valeur >= 0 && valeur < max);
    }
    // An action the user waits for with no floor beside it: under 50 ms, whatever the register's size.
    void action(const QString& libelle, double ms) { plafond(libelle, ms, 50, QStringLiteral("ms")); }
    // The longest the windows went without answering during a piece of work: under 100 ms.
    void gel(const QString& libelle, double ms) { plafond(libelle, ms, 100, QStringLiteral("ms")); }
    // A measure with no goal at this size.
    void mesure(const QString& libelle, double valeur, const QString& unite = QStringLiteral("ms")) {
        std::printf("  %s %s\n", qPrintable(libelle.leftJustified(62)),
                    qPrintable(QStringLiteral("%1 %2").arg(valeur, 0, 'f', 1).arg(unite).rightJustified(34)));
    }
    // Prints the verdict; the benchmark's exit code.
    int fin() const {
        if (manques_ == 0) std::printf("Tous les objectifs sont atteints.\n");
        else std::printf("%d objectif(s) manqué(s)%s.\n", manques_, essai_ ? " (essai rapide : non bloquant)" : "");
        std::fflush(stdout);
        return manques_ > 0 && !essai_ ? 1 : 0;
    }

private:
    void ligne(const QString& libelle, const QString& mesure, const QString& objectif, bool atteint) {
        if (!atteint) ++manques_;
        std::printf("  %s %s   objectif %s %s\n", qPrintable(libelle.leftJustified(62)), qPrintable(mesure.rightJustified(34)),
                    qPrintable(objectif.leftJustified(18)), atteint ? "atteint" : "MANQUÉ");
        std::fflush(stdout);
    }
    bool essai_;
    int manques_ = 0;
};

// The process's peak resident memory so far, in megabytes (VmHWM).
inline double memoire_max_mo() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Runs this benchmark again with "--memoire `partie` --base `base`", so that the peak memory is that part's
// alone; the peak it prints on its last line, in megabytes, or -1.
inline double memoire_dans_un_processus(const QString& partie, const QString& base) {
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memoire"), partie, QStringLiteral("--base"), base});
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
        std::fprintf(stderr, "mesure de mémoire « %s » : échec\n%s", qPrintable(partie), p.readAllStandardError().constData());
        return -1;
    }
    const QList<QByteArray> lignes = p.readAllStandardOutput().trimmed().split('\n');
    return lignes.isEmpty() ? -1 : lignes.last().trimmed().toDouble();
}

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

// Before each measure of file work: what the measure before left for the system to write (a
// copy it leaves to the cache) is written first, so that no measure pays for the one before.
inline void disque_au_repos() { ::sync(); }

// A piece of work the user waits for: how long it took, and the longest the windows' thread
// went without answering meanwhile (a 5 ms ticker started before it times each wait between its
// beats, the work's start and end included).
struct Duree {
    double ms = 0;
    double gel = 0;
};
inline Duree chronometrer_gel(const std::function<void()>& etape) {
    QElapsedTimer t;
    double dernier = 0, gel = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const double maintenant = t.nsecsElapsed() / 1e6;
        gel = std::max(gel, maintenant - dernier);
        dernier = maintenant;
    });
    ticker.start();
    t.start();
    etape();
    const double fin = t.nsecsElapsed() / 1e6;
    return {fin, std::max(gel, fin - dernier)};
}
// The same `fois` times after `preparer`: the medians.
inline Duree chronometrer_gel(int fois, const std::function<void()>& preparer, const std::function<void()>& etape) {
    QVector<double> durees, gels;
    for (int i = 0; i < fois; ++i) {
        preparer();
        const Duree d = chronometrer_gel(etape);
        durees << d.ms;
        gels << d.gel;
    }
    return {mediane(durees), mediane(gels)};
}

// Writing `octets` bytes to a new file in `dossier` and forcing it to disk, as every file the
// program writes is before it takes its name: in milliseconds (the median of `fois`).
inline double ecrire_et_synchroniser(int fois, const QString& dossier, qint64 octets) {
    const QString chemin = QDir(dossier).filePath(QStringLiteral("plancher.bin"));
    const QByteArray bloc(1 << 20, 'x');
    return chronometrer(fois, [&] { QFile::remove(chemin); }, [&] {
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly)) return;
        for (qint64 fait = 0; fait < octets; fait += bloc.size()) f.write(bloc.constData(), std::min<qint64>(bloc.size(), octets - fait));
        f.flush();
        ::fsync(f.handle());
    });
}

// Runs a command-line tool to its end, its output thrown away; true when it succeeded.
inline bool executer(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(programme, arguments);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
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

// The register of `o.eleves` pupils (or `eleves`), with 7 families for every 10 pupils.
inline QString generer_base(const Options& o, const QString& modele, const QString& dossier, int eleves = 0) {
    const int n = eleves > 0 ? eleves : o.eleves;
    return generer_base(o.generateur, modele, dossier, n, std::max(1, n * 7 / 10));
}

}  // namespace bench
