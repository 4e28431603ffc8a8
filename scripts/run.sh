#!/bin/sh
# Installs what is missing, builds, and starts TANSU in a copy of the
# demonstration folder demo/ (build/demo-run; delete its Tansu.ini to see
# the first start).  The catalog's first row is a generated KiSS set: a
# double-click (or Enter) on it opens the doll in the viewer tansu-kiss,
# which the program finds on PATH.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh
sh scripts/build.sh build
sh scripts/demo-folder.sh build build/demo-run
PATH="$root/build/viewer:$PATH"
export PATH
cd build/demo-run
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  echo "No display here: TANSU runs on a virtual X display (Xvfb), where nobody"
  echo "can see it; take a picture with scripts/screenshot.sh. Stop it with Ctrl+C."
  exec xvfb-run -a "$root/build/src/app/tansu"
fi
exec "$root/build/src/app/tansu"
