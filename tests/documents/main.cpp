// The tests of the letters and certificates: the template window and its preview, the pupil
// sheet and the documents printed for a pupil.
#include <QApplication>
#include <QtTest>

QObject* essai_feuille_documents();
QObject* essai_impression_documents();

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int echecs = 0;
    for (QObject* essai : {essai_feuille_documents(), essai_impression_documents()}) {
        echecs += QTest::qExec(essai, argc, argv);
        delete essai;
    }
    return echecs == 0 ? 0 : 1;
}
