#!/bin/sh
# Installs what is missing, builds, and starts TANSU in a copy of the
# demonstration folder demo/ (build/demo-run; delete its Tansu.ini to see
# the first start).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh
sh scripts/build.sh build
# The copy is made once; later runs keep what the program stored there.
if [ ! -d build/demo-run ]; then
  mkdir -p build/demo-run
  cp demo/Tansu.ini demo/Tansu.CSV build/demo-run/
fi
cd build/demo-run
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  echo "No display here: TANSU runs on a virtual X display (Xvfb), where nobody"
  echo "can see it; take a picture with scripts/screenshot.sh. Stop it with Ctrl+C."
  exec xvfb-run -a "$root/build/src/app/tansu"
fi
exec "$root/build/src/app/tansu"
