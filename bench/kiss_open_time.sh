#!/bin/sh
# kiss_open_time.sh [cels] [runs]: time from a process's start to its window
# shown on a virtual X display, side by side: a minimal Qt window
# (bench_minimal_window), the same with a one-item Japanese menu bar, and
# the viewer tansu-kiss on a generated set of that many cels packed as sets
# in circulation are (-lh5-, level 2 headers).  They take turns, run by
# run, so all meet the same load;
# each viewer run unpacks into a fresh working folder (the files are
# written while the window comes up).  Prints every run, the medians and
# their ratio.  Packing needs jlha (Debian jlha-utils).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/window_timing.sh"
cels=${1:-300}
runs=${2:-5}
command -v jlha >/dev/null || { echo "needs jlha to pack the set: apt-get install jlha-utils"; exit 1; }
work=$(mktemp -d)
"$root/build/viewer/tansu-kiss-testset" large "$cels" "$work/stored.lzh"
mkdir "$work/files"
(cd "$work/files" && bsdtar -xf ../stored.lzh && jlha c2o5 ../LARGE.LZH * >/dev/null)
echo "set: $cels cels, $(ls "$work/files" | wc -l) files, $(stat -c %s "$work/stored.lzh") bytes stored, $(stat -c %s "$work/LARGE.LZH") bytes as -lh5-"
start_xvfb :95
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 0.5

# time_window <name> <command...>: milliseconds from start to the window.
time_window() {
  name=$1
  shift
  start=$(date +%s%N)
  DISPLAY=:95 "$@" 2>/dev/null &
  app=$!
  wait_for_window :95 "$name" $app "$i"
  end=$(date +%s%N)
  kill $app; wait $app 2>/dev/null || true
  echo $(( (end - start) / 1000000 ))
}

for i in $(seq "$runs"); do
  qt=$(time_window MINIMAL "$root/build/bench/bench_minimal_window")
  menu=$(time_window MINIMAL "$root/build/bench/bench_minimal_window" menu)
  mkdir "$work/run$i"
  kiss=$(cd "$work/run$i" && time_window LARGE.LZH "$root/build/viewer/tansu-kiss" ../LARGE.LZH)
  echo "run $i: minimal Qt window $qt ms, with a Japanese menu $menu ms, tansu-kiss $kiss ms"
  echo "$qt" >> "$work/qt"
  echo "$menu" >> "$work/menu"
  echo "$kiss" >> "$work/kiss"
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
qt=$(median "$work/qt")
menu=$(median "$work/menu")
kiss=$(median "$work/kiss")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "median: minimal Qt window $qt ms, with a Japanese menu $menu ms, tansu-kiss $kiss ms"
echo "tansu-kiss / minimal window $(ratio "$kiss" "$qt"), / window with a Japanese menu $(ratio "$kiss" "$menu")"
