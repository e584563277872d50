#pragma once
// Small file systems of their own for fault tests: a tmpfs mounted for the test (needs the
// right to mount; a test skips where it is refused), filled until a few bytes are left, or
// remounted read-only.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace test {

inline bool commande(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.start(programme, arguments);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Mounted at `dossier` by the constructor, unmounted by the destructor.
struct Montage {
    QString point;
    bool monte = false;
    Montage(const QString& dossier, const QString& options) : point(dossier) {
        QDir().mkpath(dossier);
        monte = commande("mount", {"-t", "tmpfs", "-o", options, "tmpfs", dossier});
    }
    bool lectureSeule() { return commande("mount", {"-o", "remount,ro", point}); }
    ~Montage() {
        if (monte) commande("umount", {"-l", point});
    }
};

// Fills a file system until `libre` bytes are left.
inline void remplir(const QString& dossier, qint64 libre) {
    QFile f(dossier + "/remplissage");
    f.open(QIODevice::WriteOnly);
    const QByteArray bloc(4096, 'x');
    while (f.write(bloc) == bloc.size() && f.flush()) {}
    f.close();
    f.resize(qMax<qint64>(0, f.size() - libre));
}

}  // namespace test
