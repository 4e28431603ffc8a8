#!/bin/sh
# demo_folder_test.sh <source-folder> <build-folder>: a demonstration
# folder whose path has a character Shift-JIS lacks is refused (the
# program could not name it), and nothing of it is left behind.
set -u
source=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dest="$work/caf$(printf '\303\251')"  # an e with an acute accent
if sh "$source/scripts/demo-folder.sh" "$build" "$dest" 2>"$work/said"; then
  echo "FAIL: made a demonstration folder TANSU cannot name:"
  grep -a '^KISSDIR' "$dest/Tansu.ini"
  exit 1
fi
if [ -e "$dest" ]; then
  echo "FAIL: the refused folder is left behind"
  exit 1
fi
if ! grep -q 'Shift-JIS' "$work/said"; then
  echo "FAIL: the refusal does not say why:"
  cat "$work/said"
  exit 1
fi
