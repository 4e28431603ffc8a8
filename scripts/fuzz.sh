#!/bin/sh
# fuzz.sh <fuzz-build-folder> <seconds>: runs every fuzzer for that long,
# starting from its committed corpus (new inputs go to a scratch folder).
# Fails when a fuzzer finds a crash, a leak or a hang.
set -e
dir=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
found=0
for f in "$dir"/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  found=1
  name=$(basename "$f")
  scratch=$(mktemp -d)
  corpus="$root/fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "-- $name for ${seconds}s"
  status=0
  "$f" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$scratch/" "$scratch" "$corpus" >"$scratch/log" 2>&1 || status=$?
  grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$scratch/log" || true
  if [ $status -ne 0 ]; then
    tail -40 "$scratch/log"
    echo "fuzzer $name failed (exit $status); inputs kept in $scratch"
    exit 1
  fi
  rm -rf "$scratch"
done
[ $found -eq 1 ] || echo "no fuzzers built"
