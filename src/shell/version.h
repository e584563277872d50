#pragma once
// The program's title and version, shown by the splash and the about window.
namespace shell::version {
constexpr int majeure = 2, mineure = 2, revision = 9;
inline constexpr const char* titre = "Carnelis v2";
}
