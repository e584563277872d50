// The application shell: starting, the chooser, the login and access-code windows, the menus,
// the about window with its key store.
#include "commun/executer.h"
#include "essais.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    return test::executer(essais_shell(), argc, argv);
}
