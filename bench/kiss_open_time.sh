#!/bin/sh
# kiss_open_time.sh [cels] [runs]: time from the start of the viewer
# tansu-kiss on a generated set of that many cels (stored LZH) to its
# window shown on a virtual X display; each run unpacks into a fresh
# working folder (the files are written while the window comes up; the
# count says how many were there when it was shown).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/window_timing.sh"
cels=${1:-300}
runs=${2:-5}
work=$(mktemp -d)
"$root/build/viewer/tansu-kiss-testset" large "$cels" "$work/LARGE.LZH"
start_xvfb :95
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 0.5
for i in $(seq "$runs"); do
  mkdir "$work/run$i"
  start=$(date +%s%N)
  (cd "$work/run$i" && DISPLAY=:95 exec "$root/build/viewer/tansu-kiss" ../LARGE.LZH 2>/dev/null) &
  app=$!
  wait_for_window :95 "LARGE.LZH" $app $i
  end=$(date +%s%N)
  kill $app; wait $app 2>/dev/null || true
  echo "run $i: $(( (end - start) / 1000000 )) ms ($(ls "$work/run$i" | wc -l) files written by then)"
done
