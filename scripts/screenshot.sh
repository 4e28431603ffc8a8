#!/bin/sh
# screenshot.sh [out.png]: runs TANSU on a virtual X display in a fresh copy
# of the demonstration folder and takes a picture of the screen.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$(dirname "${1:-shot.png}")" && pwd)/$(basename "${1:-shot.png}")
work=$(mktemp -d)
cp "$root/demo/Tansu.ini" "$root/demo/Tansu.CSV" "$work/"
Xvfb :97 -noreset -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 0.5
(cd "$work" && DISPLAY=:97 "$root/build/src/app/tansu") &
app=$!
sleep "${TANSU_SHOT_WAIT:-2}"
DISPLAY=:97 import -window root "$out"
echo "screenshot: $out"
