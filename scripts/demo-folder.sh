#!/bin/sh
# demo-folder.sh <build-folder> <folder>: makes <folder> a demonstration
# folder: a copy of demo/ (made once; later runs keep what the program
# stored there), the generated KiSS set its catalog's first row names
# (KISS/DEMO/DEMODOLL.LZH under KISSDIR) and the viewer's working folder
# TEMP (TMPDIR).  A new copy gets both folders as absolute paths in the
# program's own form (Z:\ for the root, "\" between folders), so the
# record dialog and the viewer find them whatever the current folder is;
# between double quotes when the folder's path holds a blank, "=", "[" or
# "]", as the program itself writes such a value.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
dest=$2
if [ ! -d "$dest" ]; then
  mkdir -p "$dest"
  cp "$root/demo/Tansu.ini" "$root/demo/Tansu.CSV" "$dest/"
  abs=$(cd "$dest" && pwd)
  case "$abs" in
    *" "* | *"="* | *"["* | *"]"*) q='"' ;;
    *) q= ;;
  esac
  # Z:\dir\dir, written into sed's replacement with each "\" doubled.
  sys=$(printf 'Z:%s' "$abs" | sed 's|/|\\\\|g')
  sed -i "s|^KISSDIR = [^\r]*|KISSDIR = $q$sys\\\\KISS\\\\$q|; s|^TMPDIR = [^\r]*|TMPDIR = $q$sys\\\\TEMP$q|" "$dest/Tansu.ini"
fi
mkdir -p "$dest/KISS/DEMO" "$dest/TEMP"
if [ ! -f "$dest/KISS/DEMO/DEMODOLL.LZH" ]; then
  "$build/viewer/tansu-kiss-testset" lzh "$dest/KISS/DEMO/DEMODOLL.LZH"
fi
