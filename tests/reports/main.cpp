// The tests of the printed documents: the selection builder, the processing window's print
// sequence, the spreadsheet export and the templates of the program folder.
#include <QApplication>
#include <QtTest>

#include "essais.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int echecs = 0;
    for (QObject* essai : essais_reports()) {
        echecs += QTest::qExec(essai, argc, argv);
        delete essai;
    }
    return echecs == 0 ? 0 : 1;
}
