#pragma once
// The program's title and version, shown by the splash and the about window.
#include <QString>

namespace shell::version {
constexpr int majeure = 2, mineure = 2, revision = 9;
inline constexpr const char* titre = "Carnelis v2";
// "Version 2.2.9"
inline QString texte() { return QStringLiteral("Version %1.%2.%3").arg(majeure).arg(mineure).arg(revision); }
}
