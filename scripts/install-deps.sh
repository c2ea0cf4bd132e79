#!/usr/bin/env bash
# Installs the Debian packages that building and testing Trawlex needs, only those missing.
# Safe to run again; it does nothing when everything is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libsqlite3-dev sqlite3
  libgtest-dev libgmock-dev
  libbenchmark-dev
  libqt6svg6         # at run time: Qt's SVG image and icon plugins draw the program's icon
  desktop-file-utils # the install test validates the desktop entry with it
)
# The fuzz target is built with clang's libFuzzer; only wanted when asked for.
if [[ "${TRAWLEX_WITH_FUZZ:-0}" == 1 ]]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
