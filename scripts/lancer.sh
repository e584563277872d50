#!/usr/bin/env bash
# Installs, builds and starts the program in its ready program folder.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/installer_paquets.sh"
"$racine/scripts/construire.sh"
cd "$racine/build/carnelis" && exec ./carnelis
