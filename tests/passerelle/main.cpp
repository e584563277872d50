// The gateway export file.
#include "commun/executer.h"
#include "essais.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return test::executer(essais_passerelle(), argc, argv);
}
