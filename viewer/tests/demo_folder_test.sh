#!/bin/sh
# demo_folder_test.sh <source-root> <build-folder>: the demonstration folder
# fits together as the launcher uses it: the catalog's first row, read with
# "KISSDIR" from the "TMPDIR" folder, names the generated set; "KISSEXE"
# names the built viewer; the row's size is the archive's; and the viewer,
# started there with that path in the launcher's form, unpacks the set into
# a new folder of its own there, removed again when it is stopped.  The
# folder's name has a blank and characters whose Shift-JIS second byte is
# "\" (ソ, 表): its paths are written quoted, in Shift-JIS.
set -e
src=$1
build=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { printf 'FAIL: %s\n' "$*"; exit 1; }
# The OS form of a system path: "Z:\" is the root, "\" separates folders.
os_path() { printf '%s' "$1" | sed 's|^[Zz]:||' | tr '\\' '/'; }

demo="$work/デモ ソ表"
sh "$src/scripts/demo-folder.sh" "$build" "$demo"
# A value between double quotes is the text inside them.
setting() { iconv -f CP932 -t UTF-8 "$demo/Tansu.ini" | tr -d '\r' | sed -n "s/^$1 = //p" | sed 's/^"\(.*\)"$/\1/; s/""/"/g'; }
kissdir=$(setting KISSDIR)
kissexe=$(setting KISSEXE)
tmpdir=$(setting TMPDIR)
row=$(iconv -f CP932 -t UTF-8 "$demo/Tansu.CSV" | tr -d '\r' | sed -n 2p)
dir=$(echo "$row" | cut -d, -f1)
lzh=$(echo "$row" | cut -d, -f2)
bytes=$(echo "$row" | cut -d, -f7)

[ "$kissexe" = tansu-kiss ] || fail "KISSEXE is '$kissexe'"
[ -x "$build/viewer/$kissexe" ] || fail "no built $kissexe"
case "$tmpdir" in
  [Zz]:*) tmpos=$(os_path "$tmpdir") ;;
  *) tmpos="$demo/$(os_path "$tmpdir")" ;;
esac
[ -d "$tmpos" ] || fail "no working folder '$tmpdir'"
# The launcher's argument: KISSDIR + DIR + "\" + LZH_FILE, "\" becoming "/".
argument="$kissdir$dir\\$lzh"
path=$(os_path "$argument")
cd "$tmpos"
[ -f "$path" ] || fail "'$argument' is not there from $tmpdir"
[ "$(stat -c %s "$path")" = "$bytes" ] || fail "BYTE $bytes, archive $(stat -c %s "$path")"

# The viewer on the path in the launcher's own form; it keeps running until
# it is stopped, as a closed window would be, by SIGTERM.
QT_QPA_PLATFORM=offscreen PATH="$build/viewer:$PATH" "$kissexe" "$argument" >/dev/null 2>&1 &
viewer=$!
before=$(ls)
tries=0
until [ -f DEMODOLL-*/BODY.CEL ] 2>/dev/null; do
  tries=$((tries + 1))
  [ $tries -lt 500 ] && kill -0 $viewer 2>/dev/null || { kill $viewer 2>/dev/null; fail "the set was not unpacked in a folder of its own"; }
  sleep 0.01
done
[ -f DEMODOLL-*/DEMODOLL.CNF ] || fail "no DEMODOLL.CNF beside BODY.CEL"
kill -TERM $viewer
status=0
wait $viewer || status=$?
[ $status -eq 0 ] || fail "the viewer ended with $status when stopped"
[ "$(ls)" = "$before" ] && [ -z "$(ls -d DEMODOLL-* 2>/dev/null)" ] || fail "the unpacked folder was left: $(ls)"
[ -z "$(ls "$demo/KISS/DEMO" | grep -v '^DEMODOLL.LZH$')" ] || fail "files beside the archive"
echo "demonstration folder: $argument from $tmpdir opens"
