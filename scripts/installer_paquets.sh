#!/usr/bin/env bash
# Installs, from Debian's archive, everything needed to build, run and test the program.
set -euo pipefail
paquets=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev libx11-dev
  libsqlite3-dev sqlite3
  unrtf python3-xlrd
  libreoffice-writer-nogui poppler-utils
  cups cups-client cups-filters cups-ipp-utils
  xvfb xauth
)
manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${manquants[@]}"
fi
