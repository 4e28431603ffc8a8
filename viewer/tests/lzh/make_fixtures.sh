#!/bin/sh
# make_fixtures.sh: writes the compressed LZH test archives of this folder
# once, with Debian's jlha-utils (Java): -lh5-, -lh6- and -lh7- under
# header levels 0, 1 and 2, all holding the same three files.  The tests
# read the committed archives; they need neither Java nor this script.
#
# BODY.CEL is 2,000 letters (R1), 14 times 500 others, R1 again, 62 times
# 500 others and R1 once more: its second R1 lies 9,000 bytes after the
# first (past the 8 KiB window of -lh5-) and its third 33,000 bytes after
# the second (past the 32 KiB window of -lh6-), so each method's window is
# used to its end.  The letters come from the generator
# x = (75 x + 74) mod 65537, letter "ACGT"[x mod 4], each run starting from
# its own seed (1, 2, 3); the test makes the same bytes.
set -e
here=$(cd "$(dirname "$0")" && pwd)
command -v jlha >/dev/null || { echo "needs jlha (apt-get install jlha-utils)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
letters() {  # letters SEED COUNT
  awk -v x="$1" -v n="$2" 'BEGIN { for (i = 0; i < n; i++) { x = (75 * x + 74) % 65537; printf "%s", substr("ACGT", x % 4 + 1, 1) } }'
}
mkdir "$work/SUB"
repeat() { i=0; while [ $i -lt "$1" ]; do printf '%s' "$2"; i=$((i + 1)); done; }
r1=$(letters 1 2000)
{ printf '%s' "$r1"; repeat 14 "$(letters 2 500)"; printf '%s' "$r1"; repeat 62 "$(letters 3 500)"; printf '%s' "$r1"; } > "$work/BODY.CEL"
printf '(16,16)\r\n#0 BODY.CEL\r\n' > "$work/DOLL.CNF"
printf 'a note in a folder\r\n' > "$work/SUB/NOTE.TXT"
cd "$work"
for method in 5 6 7; do
  for level in 0 1 2; do
    out="$here/lh${method}_level$level.lzh"
    rm -f "$out"
    jlha "c${level}o$method" "$out" BODY.CEL DOLL.CNF SUB/NOTE.TXT >/dev/null
  done
done
ls -l "$here"/*.lzh
