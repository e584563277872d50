// One program for the window layer's suites; any failing suite fails the program.
// "test_forms TestGrille [options]" runs one suite only.
#include "suites.h"

#include "platform/forms/application.h"

#include <QtTest>

int main(int argc, char** argv) {
    forms::Application app(argc, argv);
    const QString seule = argc > 1 && argv[1][0] != '-' ? QString::fromLocal8Bit(argv[1]) : QString();
    QStringList arguments = app.arguments();
    if (!seule.isEmpty() && seule.startsWith("Test")) arguments.removeAt(1);
    int echecs = 0;
    for (auto& suite : suites_forms()) {
        if (seule.startsWith("Test") && seule != suite->metaObject()->className()) continue;
        echecs += QTest::qExec(suite.get(), arguments);
    }
    return echecs == 0 ? 0 : 1;
}
