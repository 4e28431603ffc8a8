#!/bin/sh
# Installs what is missing, builds, and runs TANSU in a copy of the
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
exec "$root/build/demo/engine_demo"
