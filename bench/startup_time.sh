#!/bin/sh
# startup_time.sh [records] [runs]: time from process start to the main
# window shown (mapped on a virtual X display), with the demonstration
# catalog, or with a generated catalog of that many records.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/window_timing.sh"
records=${1:-0}
runs=${2:-5}
work=$(mktemp -d)
cp "$root/demo/Tansu.ini" "$work/"
if [ "$records" -gt 0 ]; then
  awk -v n="$records" 'BEGIN { printf "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n";
    for (i = 0; i < n; i++) printf "SET%d,S%d.LZH,Title %d,Author,ABC%05d,1998/01/01,%d\r\n", i, i, i, i % 100000, i * 7 }' > "$work/Tansu.CSV"
else
  cp "$root/demo/Tansu.CSV" "$work/"
fi
start_xvfb :96
trap 'kill $xvfb 2>/dev/null; cat "$work"/err*.txt | sort | uniq -c; rm -rf "$work"' EXIT
sleep 0.5
for i in $(seq "$runs"); do
  start=$(date +%s%N)
  (cd "$work" && DISPLAY=:96 exec "$root/build/src/app/tansu" 2>"$work/err$i.txt") &
  app=$!
  wait_for_window :96 "TANSU" $app $i
  end=$(date +%s%N)
  kill $app; wait $app 2>/dev/null || true
  echo "run $i: $(( (end - start) / 1000000 )) ms"
done
