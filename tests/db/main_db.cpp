// The engine's test program: every test class in turn, one status for all.
#include "db/outils.h"
#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int echecs = 0;
    echecs += tester_dialecte(argc, argv);
    echecs += tester_base(argc, argv);
    echecs += tester_jeu(argc, argv);
    return echecs;
}
