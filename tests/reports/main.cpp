// The tests of the printed documents: the selection builder, the processing window's print
// sequence, the spreadsheet export, the templates of the program folder and exports killed
// while they write.
#include "commun/executer.h"
#include "essais.h"

#include <QApplication>
#include <cstring>

int enfant_export(int argc, char** argv);

// Started as "--enfant-export ..." it is the exporting process that a test kills.
int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--enfant-export") == 0) return enfant_export(argc, argv);
    QApplication app(argc, argv);
    return test::executer(essais_reports(), argc, argv);
}
