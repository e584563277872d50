#pragma once
// The start-up road, and the one place that knows every subsystem: each registers its windows
// and the commands the others reach by name, here.
class QApplication;

namespace programme {
// The tables of every part handed to the platform's mechanisms (the window descriptions and the
// choice buttons with their pickers), without registering any window: for a test or a benchmark
// that registers only some windows but reaches the others' descriptions.
void enregistrer_tables();
// Every window registered (once), the main window built, the splash shown.
void preparer_demarrage();
// Every window unloaded and the main window deleted.
void arreter_demarrage();
}  // namespace programme

// Registers every window, shows the splash window and runs the program until it ends.
int demarrer_programme(QApplication& app);
