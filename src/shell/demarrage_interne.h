#pragma once
// The start-up road in two halves, so that it can also run without the program's event loop.
namespace shell {
// Every window registered (once), the main window built, the splash shown.
void preparer_demarrage();
// Every window unloaded and the main window deleted.
void arreter_demarrage();
}  // namespace shell
