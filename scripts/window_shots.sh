#!/usr/bin/env bash
# Renders every window of the desktop program with sample content under Xvfb into docs/.
# Usage: scripts/window_shots.sh [BUILD_DIR] [OUTPUT_DIR]
# The screen is 1400x900 unless TRAWLEX_SHOT_SCREEN says otherwise (e.g. 1366x768), to see
# what a small screen cuts off. Needs xvfb (apt-get install xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
build=${1:-build/release}
out=$(realpath -m "${2:-docs}")
command -v Xvfb >/dev/null || { echo "needs Xvfb (apt-get install xvfb)"; exit 2; }
tool=$(realpath "$build/tools/trawlex_window_shots")
work=$(mktemp -d)
display=:$((80 + RANDOM % 9))
Xvfb "$display" -screen 0 "${TRAWLEX_SHOT_SCREEN:-1400x900}x24" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
mkdir -p "$out"
cat >"$work/Search.DAT" <<DAT
[Options]
EditorName=xdg-open %F
NoSplash2=1
[Setup]
Searches=1
DAT
cp share/VAVADUD2.INI.Shipped share/WinTypes.vlw.Shipped share/FeqUseLoad.vlw.Shipped "$work/"
(cd "$work" && DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
   timeout 60 "$tool" "$repo/samples" "$out")
