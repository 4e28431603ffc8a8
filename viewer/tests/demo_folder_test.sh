#!/bin/sh
# demo_folder_test.sh <source-root> <build-folder>: the demonstration folder
# fits together as the launcher uses it: the catalog's first row, read with
# "KISSDIR" from the "TMPDIR" folder, names the generated set; "KISSEXE"
# names the built viewer; the row's size is the archive's; and the viewer,
# started there with that path in the launcher's form, unpacks the set.
set -e
src=$1
build=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { printf 'FAIL: %s\n' "$*"; exit 1; }
# The OS form of a system path: "Z:\" is the root, "\" separates folders.
os_path() { printf '%s' "$1" | sed 's|^[Zz]:||' | tr '\\' '/'; }

sh "$src/scripts/demo-folder.sh" "$build" "$work/demo"
# A value between double quotes is the text inside them.
setting() { iconv -f CP932 -t UTF-8 "$work/demo/Tansu.ini" | tr -d '\r' | sed -n "s/^$1 = //p" | sed 's/^"\(.*\)"$/\1/; s/""/"/g'; }
kissdir=$(setting KISSDIR)
kissexe=$(setting KISSEXE)
tmpdir=$(setting TMPDIR)
row=$(iconv -f CP932 -t UTF-8 "$work/demo/Tansu.CSV" | tr -d '\r' | sed -n 2p)
dir=$(echo "$row" | cut -d, -f1)
lzh=$(echo "$row" | cut -d, -f2)
bytes=$(echo "$row" | cut -d, -f7)

[ "$kissexe" = tansu-kiss ] || fail "KISSEXE is '$kissexe'"
[ -x "$build/viewer/$kissexe" ] || fail "no built $kissexe"
case "$tmpdir" in
  [Zz]:*) tmpos=$(os_path "$tmpdir") ;;
  *) tmpos="$work/demo/$(os_path "$tmpdir")" ;;
esac
[ -d "$tmpos" ] || fail "no working folder '$tmpdir'"
# The launcher's argument: KISSDIR + DIR + "\" + LZH_FILE, "\" becoming "/".
argument="$kissdir$dir\\$lzh"
path=$(os_path "$argument")
cd "$tmpos"
[ -f "$path" ] || fail "'$argument' is not there from $tmpdir"
[ "$(stat -c %s "$path")" = "$bytes" ] || fail "BYTE $bytes, archive $(stat -c %s "$path")"

# The viewer on the path in the launcher's own form; it keeps running, so
# it is stopped after a while.
status=0
QT_QPA_PLATFORM=offscreen PATH="$build/viewer:$PATH" timeout 5 "$kissexe" "$argument" >/dev/null 2>&1 || status=$?
[ $status -eq 124 ] || fail "the viewer ended with $status instead of showing the set"
[ -f DEMODOLL.CNF ] && [ -f BODY.CEL ] || fail "the set was not unpacked in the working folder"
[ -z "$(ls "$work/demo/KISS/DEMO" | grep -v '^DEMODOLL.LZH$')" ] || fail "files beside the archive"
echo "demonstration folder: $argument from $tmpdir opens"
