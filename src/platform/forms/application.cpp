#include "platform/forms/application.h"
#include "platform/forms/erreurs_boites.h"

namespace forms {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* destinataire, QEvent* evenement) {
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (...) {
        signaler_echec(Prefixe::Logiciel);
        return false;
    }
}

}  // namespace forms
