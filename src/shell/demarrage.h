#pragma once
class QApplication;
// Registers every window, shows the splash window and runs the program until it ends.
int demarrer_programme(QApplication& app);
