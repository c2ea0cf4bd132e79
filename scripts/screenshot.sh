#!/usr/bin/env bash
# Starts trawlex under Xvfb in a scratch directory, runs a search of the sample tree from the
# search dialogue and saves a screenshot.
# Usage: scripts/screenshot.sh [BUILD_DIR] [OUTPUT_PNG] [TEXT]
# Needs xvfb, xdotool and imagemagick (apt-get install xvfb xdotool imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
build=${1:-build/release}
out=$(realpath -m "${2:-docs/trawlex-results.png}")
text=${3:-stock}
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool imagemagick)"; exit 2; }
done
[[ -x "$build/src/app/trawlex" ]] || { echo "build trawlex first: cmake --build $build"; exit 2; }
trawlex=$(realpath "$build/src/app/trawlex")

work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
# A settings file as a returning user has it: editor chosen, setup done, last search.
cat >"$work/Search.DAT" <<DAT
[Options]
EditorName=xdg-open %F
NoSplash2=1
[Setup]
Searches=1
[Gen]
Subs=1
Levels=9
OOP=1
[Text]
1=$text
[Path]
1=$repo/samples
[Spec]
1=*.*
DAT
cp share/VAVADUD2.INI.Shipped "$work/"

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x860x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display XDG_CONFIG_HOME=$work/config
(cd "$work" && exec "$trawlex") >"$work/trawlex.log" 2>&1 &
app=$!
sleep 3
# The search dialogue opens on the last search with its Search button as the default.
xdotool search --sync --name "Search Parameters" windowfocus --sync key Return
sleep 3
mkdir -p "$(dirname "$out")"
import -window root "$out"
kill "$app" 2>/dev/null || true
echo "saved $out"
