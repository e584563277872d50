// The access-code window, the about window with its key store, and the gateway export file.
#include <QApplication>
#include <QtTest>

#include "essais.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int echecs = 0;
    for (QObject* essai : essais_passerelle()) {
        echecs += QTest::qExec(essai, argc, argv);
        delete essai;
    }
    return echecs == 0 ? 0 : 1;
}
