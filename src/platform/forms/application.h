#pragma once
// The program's QApplication. Whatever an event's handling throws and no reaction caught is
// reported with the general error box ("Le logiciel a rencontré l'erreur : ...") instead of
// ending the program with the user's work.
#include <QApplication>

namespace forms {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* destinataire, QEvent* evenement) override;
};

}  // namespace forms
