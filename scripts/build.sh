#!/bin/sh
# build.sh <build-folder> [cmake options...]: configure once, then build.
# Compiles through ccache when it is installed (several work trees then share
# one cache); a machine without it builds the same way, only slower.
set -e
dir=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$dir/build.ninja" ]; then
  launcher=""
  command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  cmake -S "$root" -B "$dir" -G Ninja $launcher "$@" >/dev/null
fi
cmake --build "$dir" -j "$(nproc)"
