// The settings windows' tests: one QtTest class per concern, run in turn.
#include <QApplication>
#include <QTest>

int tester_motif(int argc, char** argv);
int tester_listes(int argc, char** argv);
int tester_selecteurs(int argc, char** argv);
int tester_fiches(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int echecs = 0;
    echecs += tester_motif(argc, argv);
    echecs += tester_listes(argc, argv);
    echecs += tester_selecteurs(argc, argv);
    echecs += tester_fiches(argc, argv);
    return echecs;
}
