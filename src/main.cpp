// Carnelis: the school register. Start-up goes through the splash window (programme/demarrage.cpp).
#include "platform/forms/application.h"
#include "programme/demarrage.h"

int main(int argc, char** argv) {
    forms::Application app(argc, argv);
    return demarrer_programme(app);
}
