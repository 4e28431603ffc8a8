#!/bin/sh
# screenshot.sh [out.png] [open]: runs TANSU on a virtual X display in a
# fresh demonstration folder (scripts/demo-folder.sh) and takes a picture
# of the screen.  With "open", Enter is pressed on the first row and Enter
# again to answer the question, so the picture shows the set opened in the
# viewer tansu-kiss.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$(dirname "${1:-shot.png}")" && pwd)/$(basename "${1:-shot.png}")
work=$(mktemp -d)
sh "$root/scripts/demo-folder.sh" "$root/build" "$work/demo"
Xvfb :97 -noreset -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 0.5
(cd "$work/demo" && DISPLAY=:97 PATH="$root/build/viewer:$PATH" "$root/build/src/app/tansu") &
app=$!
sleep "${TANSU_SHOT_WAIT:-2}"
if [ "$2" = "open" ]; then
  # No window manager: keys go to the window under the pointer.  The
  # question box is centred on the main window (534 x 450 at 0,0).
  DISPLAY=:97 xdotool mousemove 200 120 key Return
  sleep 0.5
  DISPLAY=:97 xdotool mousemove 267 225 key Return
  sleep "${TANSU_SHOT_WAIT:-2}"
fi
DISPLAY=:97 import -window root "$out"
echo "screenshot: $out"
