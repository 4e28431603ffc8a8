#!/bin/sh
# debian_package_test.sh <cpack> <build-dir> <source-dir> <viewer-built 0|1>:
# builds the Debian package, checks its fields and contents, unpacks it into
# a scratch root (dpkg-deb -x) and starts the unpacked TANSU through its
# desktop launcher on the offscreen platform until its main window is shown.
set -u
cpack=$1
build=$2
src=$3
viewer=$4
. "$(dirname "$0")/checks.sh"
app=""
trap '[ -n "$app" ] && kill $app 2>/dev/null; rm -rf "$scratch"' EXIT

if ! (cd "$build" && "$cpack" -G DEB -B "$scratch/out") >"$scratch/log" 2>&1; then
  cat "$scratch/log"
  stop "cpack -G DEB"
fi
set -- "$scratch"/out/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || stop "expected one package, found: $*"
deb=$1
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

# Fields.
[ "$(dpkg-deb -f "$deb" Package)" = tansu ] || fail "package name is not tansu"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(echo "$depends" | tr ',|' '\n' | sed 's/(.*)//; s/^ *//; s/ *$//' | grep -v '^$' | sort -u)
needed="libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-ipafont-gothic qt6-translations-l10n"
[ "$viewer" = 1 ] && needed="$needed libarchive13"
for p in $needed; do
  echo "$names" | grep -qx "$p" || fail "Depends lacks $p"
done
# Every name is a Debian package, and this machine (which runs the program)
# has them all.
for p in $names; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q "install ok installed" ||
    fail "Depends names $p, which is not an installed Debian package here"
done

# Contents: under /usr only, the programs and the desktop entry among them.
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$scratch/contents"
grep -v '^\./usr/' "$scratch/contents" | grep -v '^\./$' >"$scratch/outside" && fail "files outside /usr: $(cat "$scratch/outside")"
for f in ./usr/bin/tansu ./usr/bin/tansu-launch ./usr/share/applications/io.github.tansu.Tansu.desktop \
         ./usr/share/metainfo/io.github.tansu.Tansu.metainfo.xml \
         ./usr/share/icons/hicolor/256x256/apps/io.github.tansu.Tansu.png ./usr/share/doc/tansu/copyright; do
  grep -qx "$f" "$scratch/contents" || fail "package lacks $f"
done
if [ "$viewer" = 1 ]; then
  for f in ./usr/bin/tansu-kiss ./usr/bin/tansu-kiss-open ./usr/share/mime/packages/io.github.tansu.TansuKiss.xml; do
    grep -qx "$f" "$scratch/contents" || fail "package lacks $f"
  done
fi

# Unpacked and started as the desktop would start it, in a user folder that
# holds a catalog already (a first start asks a question before the window).
root=$scratch/root
dpkg-deb -x "$deb" "$root" || stop "dpkg-deb -x"
# The licence, in the form Debian reads.
copyright=$root/usr/share/doc/tansu/copyright
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" &&
  grep -qx 'License: MIT' "$copyright" && grep -q '^ Permission is hereby granted' "$copyright" ||
  fail "the copyright file does not give the MIT licence in Debian's form"
home=$scratch/home
folder=$home/.local/share/tansu
mkdir -p "$folder"
cp "$src/demo/Tansu.ini" "$src/demo/Tansu.CSV" "$folder/"
(
  cd "$scratch" || exit 1
  unset XDG_DATA_HOME
  export HOME="$home" QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="qt.widgets.painting=true"
  exec "$root/usr/bin/tansu-launch"
) >"$scratch/stdout" 2>"$scratch/stderr" &
app=$!
# The window layer logs each window it paints and flushes to the screen;
# only a shown window is flushed.  Form1 is the main window.
shown=0
tries=0
while [ $tries -lt 600 ]; do
  if grep -q 'Flushing QRegion(.*) of QWidget(.*name="Form1")' "$scratch/stderr"; then shown=1; break; fi
  kill -0 $app 2>/dev/null || break
  tries=$((tries + 1))
  sleep 0.1
done
if [ $shown -eq 1 ]; then
  echo "main window shown after about $((tries / 10)).$((tries % 10)) s"
  # The launcher hands over to the program itself: same process.
  [ "$(readlink "/proc/$app/exe")" = "$root/usr/bin/tansu" ] ||
    fail "the running program is $(readlink "/proc/$app/exe"), not the unpacked tansu"
  [ "$(readlink "/proc/$app/cwd")" = "$folder" ] ||
    fail "TANSU runs in $(readlink "/proc/$app/cwd"), not in $folder"
else
  grep -v '^qt\.widgets\.painting' "$scratch/stderr" | tail -20
  fail "the unpacked tansu did not show its main window"
fi
kill $app 2>/dev/null
wait $app 2>/dev/null
app=""
# Stopped before any close: the user's folder holds what it held.
[ "$(ls -A "$folder" | tr '\n' ' ')" = "Tansu.CSV Tansu.ini " ] ||
  fail "the user folder now holds: $(ls -A "$folder" | tr '\n' ' ')"
cmp -s "$src/demo/Tansu.CSV" "$folder/Tansu.CSV" || fail "the catalog changed at start"

finish "Debian package"
