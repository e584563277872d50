#!/usr/bin/env bash
# Configures and builds the program and its tests in build/ (the ready program folder is build/carnelis).
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$racine" -B "$racine/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$racine/build" --parallel "$(nproc)"
