// The file operations' test program: the buttons as a user drives them, then the faults
// (full disk, read-only media, locked or truncated files, a process killed at any moment).
// Started as "--enfant ..." it is the process that the fault tests kill.
#include "platform/registry/registre.h"
#include <QApplication>
#include <QTemporaryDir>
#include <cstring>

int tester_operations(int argc, char** argv);
int tester_pannes(int argc, char** argv);
int enfant(int argc, char** argv);

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--enfant") == 0) return enfant(argc, argv);
    QApplication app(argc, argv);
    // The folder of the last backup is remembered in the key store: a store of the tests' own.
    QTemporaryDir magasin;
    registre::definir_fichier(magasin.filePath(QStringLiteral("registre")));
    int echecs = 0;
    echecs += tester_operations(argc, argv);
    echecs += tester_pannes(argc, argv);
    return echecs;
}
