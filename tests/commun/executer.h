#pragma once
// One test program made of several groups of tests: each runs in turn, and any failing group
// fails the program.
#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <QVector>
#include <QtTest>

namespace test {

inline int executer(const QVector<QObject*>& essais, int argc, char** argv) {
    int echecs = 0;
    for (QObject* essai : essais) {
        echecs += QTest::qExec(essai, argc, argv);
        delete essai;
        // A group that ended the application (its quit command) leaves every later modal
        // window closing as soon as it opens; one turn of the application's loop clears that.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
    return echecs == 0 ? 0 : 1;
}

}  // namespace test
