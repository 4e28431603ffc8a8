#!/bin/sh
# Installs what is missing, builds, and runs TANSU in the demonstration
# folder demo/.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh
sh scripts/build.sh build
cd demo
exec "$root/build/demo/engine_demo"
