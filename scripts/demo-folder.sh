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
  # Z:\dir\dir in Shift-JIS, as the settings file holds every text.  The
  # values reach awk through the environment, byte for byte: a Shift-JIS
  # second byte may be "\" or "|", which sed would take for its own.
  # A folder whose path has a character Shift-JIS lacks cannot be named
  # to the program: refused, and the copy taken away again.
  sys=$(printf 'Z:%s' "$abs" | iconv -f UTF-8 -t CP932 2>/dev/null) || {
    echo "demo-folder.sh: $abs holds a character Shift-JIS does not have; TANSU cannot name it" >&2
    rm -f "$dest/Tansu.ini" "$dest/Tansu.CSV"
    rmdir "$dest"
    exit 1
  }
  sys=$(printf '%s' "$sys" | LC_ALL=C tr '/' '\\')
  KISSDIR_VALUE="$q$sys\\KISS\\$q" TMPDIR_VALUE="$q$sys\\TEMP$q" LC_ALL=C awk '
    /^KISSDIR = / { print "KISSDIR = " ENVIRON["KISSDIR_VALUE"] "\r"; next }
    /^TMPDIR = / { print "TMPDIR = " ENVIRON["TMPDIR_VALUE"] "\r"; next }
    { print }' "$dest/Tansu.ini" >"$dest/Tansu.ini.new"
  mv "$dest/Tansu.ini.new" "$dest/Tansu.ini"
fi
mkdir -p "$dest/KISS/DEMO" "$dest/TEMP"
if [ ! -f "$dest/KISS/DEMO/DEMODOLL.LZH" ]; then
  "$build/viewer/tansu-kiss-testset" lzh "$dest/KISS/DEMO/DEMODOLL.LZH"
fi

# Sets that lie in the KiSS folder but are not in the catalog yet, for
# ﾚｺｰﾄﾞ > KISSフォルダから一括追加 (Ctrl+I): two with a description file (one
# title holds a comma, which the catalog cannot store), one without, and
# one lying in the KiSS folder itself, outside any set's folder, which is
# listed as one that cannot be added.
# description <file> <title> <maker> <id> <date> <bytes>: a NIFTY
# description file in Shift-JIS.
description() {
  printf '%s\r\n' "------------------------------------------------------------" \
    "データ名：$2" "　　　ID：$4" "登録日付：$5" "　　属性：BIN" "　バイト：$6" "　　参照：0" "" \
    "【名　称】$2" "【登録名】$(basename "$1" .TXT).LZH" "【制作者名】$3" | iconv -f UTF-8 -t CP932 >"$1"
}
if [ ! -d "$dest/KISS/HARU" ]; then
  mkdir -p "$dest/KISS/HARU" "$dest/KISS/NATSU"
  cp "$dest/KISS/DEMO/DEMODOLL.LZH" "$dest/KISS/HARU/HINA.LZH"
  description "$dest/KISS/HARU/HINA.TXT" "ひな祭りの十二単" "はなみずき" "HAN01234" "97/03/03" "25524"
  cp "$dest/KISS/DEMO/DEMODOLL.LZH" "$dest/KISS/HARU/OMAKE.LZH"
  touch -d "2001-04-01 12:00" "$dest/KISS/HARU/OMAKE.LZH"
  cp "$dest/KISS/DEMO/DEMODOLL.LZH" "$dest/KISS/NATSU/HANABI.LZH"
  description "$dest/KISS/NATSU/HANABI.TXT" "花火大会, 夏の夜" "みなと工房" "MNT00417" "97/08/15" "25524"
  cp "$dest/KISS/DEMO/DEMODOLL.LZH" "$dest/KISS/MATOME.LZH"
fi
