#!/bin/sh
# demo-folder.sh <build-folder> <folder>: makes <folder> a demonstration
# folder: a copy of demo/ (made once; later runs keep what the program
# stored there), the generated KiSS set its catalog's first row names
# (KISS/DEMO/DEMODOLL.LZH, found through KISSDIR "..\KISS\" from the
# viewer's working folder) and that working folder, TEMP (TMPDIR).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
dest=$2
if [ ! -d "$dest" ]; then
  mkdir -p "$dest"
  cp "$root/demo/Tansu.ini" "$root/demo/Tansu.CSV" "$dest/"
fi
mkdir -p "$dest/KISS/DEMO" "$dest/TEMP"
if [ ! -f "$dest/KISS/DEMO/DEMODOLL.LZH" ]; then
  "$build/viewer/tansu-kiss-testset" lzh "$dest/KISS/DEMO/DEMODOLL.LZH"
fi
