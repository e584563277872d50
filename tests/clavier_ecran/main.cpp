// The keyboard and the small screen: every data window walked with key events alone, and every
// window opened in a 1024 x 768 main window.
#include <QApplication>
#include <QtTest>

#include "essais.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int echecs = 0;
    for (QObject* essai : essais_clavier_ecran()) {
        echecs += QTest::qExec(essai, argc, argv);
        delete essai;
    }
    return echecs == 0 ? 0 : 1;
}
