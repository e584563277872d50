#include "suites.h"

QObject* suite_boites();
QObject* suite_feuilles();
QObject* suite_onglets();
QObject* suite_grille();
QObject* suite_listes();
QObject* suite_image();
QObject* suite_controle();

std::vector<std::unique_ptr<QObject>> suites_forms() {
    std::vector<std::unique_ptr<QObject>> s;
    for (QObject* o : {suite_boites(), suite_feuilles(), suite_onglets(), suite_grille(), suite_listes(), suite_image(),
                        suite_controle()})
        s.emplace_back(o);
    return s;
}
