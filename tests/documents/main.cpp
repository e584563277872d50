// The tests of the letters and certificates: the template window and its preview, the pupil
// sheet and the documents printed for a pupil.
#include "commun/executer.h"

#include <QApplication>

QObject* essai_feuille_documents();
QObject* essai_impression_documents();

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return test::executer({essai_feuille_documents(), essai_impression_documents()}, argc, argv);
}
