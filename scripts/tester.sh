#!/usr/bin/env bash
# Installs, builds and runs every test.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/installer_paquets.sh"
"$racine/scripts/construire.sh"
cd "$racine/build" && ctest --output-on-failure --parallel "$(nproc)" --timeout 600
