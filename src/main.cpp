// Carnelis: the school register. Start-up goes through the splash window (programme/demarrage.cpp).
#include "programme/demarrage.h"
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return demarrer_programme(app);
}
