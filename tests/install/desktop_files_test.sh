#!/bin/sh
# desktop_files_test.sh <source-dir> <project-version>: the launcher entries,
# the AppStream metainfo, the icons and the MIME type of .cnf files are valid
# by the freedesktop tools and agree with each other.
set -u
desk=$1/desktop
version=$2
. "$(dirname "$0")/checks.sh"
trap 'rm -rf "$scratch"' EXIT

# key <Key> <file>: the value of a key of the [Desktop Entry] group.
key() { sed -n "s/^$1=//p" "$2" | head -1; }

# png_size <file>: "width height" from the PNG header, or nothing.
png_size() {
  [ "$(od -An -c -j1 -N3 "$1" | tr -d ' ')" = "PNG" ] || return 0
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }'
}

for id in io.github.tansu.Tansu io.github.tansu.TansuKiss; do
  entry=$desk/$id.desktop
  meta=$desk/$id.metainfo.xml
  # desktop-file-validate exits 0 after warnings and hints: any output fails.
  out=$(desktop-file-validate "$entry" 2>&1) || fail "$id.desktop: not valid"
  [ -z "$out" ] || fail "$id.desktop: $out"
  appstreamcli validate --no-net "$meta" >"$scratch/as" 2>&1 || { cat "$scratch/as"; fail "$id.metainfo.xml: not valid"; }

  grep -q "<id>$id</id>" "$meta" || fail "$id.metainfo.xml: its id is not $id"
  grep -q "<project_license>MIT</project_license>" "$meta" || fail "$id.metainfo.xml: the licence is not MIT"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" ||
    fail "$id.metainfo.xml: does not launch $id.desktop"
  newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$meta" | head -1)
  [ "$newest" = "$version" ] || fail "$id.metainfo.xml: newest release $newest, the project is $version"
  for k in Name 'Name\[ja\]' GenericName 'GenericName\[ja\]' Comment 'Comment\[ja\]'; do
    [ -n "$(key "$k" "$entry")" ] || fail "$id.desktop: no $(echo "$k" | tr -d '\\')"
  done

  [ "$(key Icon "$entry")" = "$id" ] || fail "$id.desktop: icon is not $id"
  xmllint --noout "$desk/icons/$id.svg" || fail "$id.svg: not well-formed"
  for size in 48 256; do
    png=$desk/icons/$size/$id.png
    [ -f "$png" ] || { fail "$png missing"; continue; }
    [ "$(png_size "$png")" = "$size $size" ] || fail "$png is not a $size x $size PNG: $(png_size "$png")"
  done
done

# The type of .cnf files, read by the MIME database tool together with the
# system's own types: no complaint, .cnf gets our type, .lzh keeps the LHA
# type, and every type the viewer's entry claims exists.
xmllint --noout "$desk/io.github.tansu.TansuKiss.mime.xml" || fail "MIME package not well-formed"
mkdir -p "$scratch/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$scratch/mime/packages/"
cp "$desk/io.github.tansu.TansuKiss.mime.xml" "$scratch/mime/packages/io.github.tansu.TansuKiss.xml"
out=$(XDG_DATA_HOME=$scratch update-mime-database "$scratch/mime" 2>&1) || fail "update-mime-database failed"
[ -z "$out" ] || fail "update-mime-database: $out"
grep -qx '[0-9]*:text/x-kiss-cnf:\*\.cnf' "$scratch/mime/globs2" || fail ".cnf files do not get text/x-kiss-cnf"
grep -qx '[0-9]*:application/x-lha:\*\.lzh' "$scratch/mime/globs2" || fail ".lzh files are not application/x-lha"
grep -q '^text/x-kiss-cnf text/plain$' "$scratch/mime/subclasses" || fail "text/x-kiss-cnf is not a kind of text/plain"
types=$(key MimeType "$desk/io.github.tansu.TansuKiss.desktop" | tr ';' ' ')
[ -n "$types" ] || fail "the viewer claims no MIME types"
for t in $types; do
  grep -qx "$t" "$scratch/mime/types" || grep -q "^$t " "$scratch/mime/aliases" ||
    fail "the viewer claims $t, which no MIME package defines"
done
for t in application/x-lha text/x-kiss-cnf; do
  echo " $types " | grep -q " $t " || fail "the viewer does not claim $t"
done

finish "desktop files"
