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
(cd "$work/demo" && DISPLAY=$display PATH="$root/build/viewer:$PATH" "$root/build/src/app/tansu") &
app=$!
sleep "${TANSU_SHOT_WAIT:-2}"
if [ "$2" = "open" ]; then
  # No window manager: keys go to the window under the pointer.  The
  # question box is centred on the main window (534 x 450 at 0,0).
  DISPLAY=$display xdotool mousemove 200 120 key Return
  sleep 0.5
  DISPLAY=$display xdotool mousemove 267 225 key Return
  sleep "${TANSU_SHOT_WAIT:-2}"
fi
DISPLAY=$display import -window root "$out"
echo "screenshot: $out"
