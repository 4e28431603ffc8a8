#!/bin/sh
# screenshot.sh [out.png]: runs TANSU on a virtual X display in a fresh copy
# of the demonstration folder and takes a picture of the screen.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$(dirname "${1:-shot.png}")" && pwd)/$(basename "${1:-shot.png}")
work=$(mktemp -d)
cp "$root/demo/Tansu.ini" "$root/demo/Tansu.CSV" "$work/"
# Xvfb picks a free display number itself and writes it to the pipe, so
# several screenshots (or other virtual displays) can run at once.
exec 3>"$work/display"
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in 1 2 3 4 5 6 7 8 9 10; do
  [ -s "$work/display" ] && break
  sleep 0.2
done
display=:$(head -n1 "$work/display")
(cd "$work" && DISPLAY=$display "$root/build/src/app/tansu") &
app=$!
sleep "${TANSU_SHOT_WAIT:-2}"
DISPLAY=$display import -window root "$out"
echo "screenshot: $out"
