#!/bin/sh
# install_tree_test.sh <cmake> <build-dir> <source-dir> <viewer-built 0|1>:
# `cmake --install` into a scratch prefix puts exactly the expected files
# there, the entries name programs and icons that were installed, AppStream
# accepts the tree, and the two desktop launchers do their jobs (tried with
# stand-ins for the programs they start).
set -u
cmake=$1
build=$2
src=$3
viewer=$4
. "$(dirname "$0")/checks.sh"
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root

if ! "$cmake" --install "$build" --prefix "$root/usr" >"$scratch/log" 2>&1; then
  cat "$scratch/log"
  stop "cmake --install"
fi

# Exactly these files, nothing missing and nothing else.
desktop_files() {
  echo "usr/bin/$2"
  echo "usr/bin/$3"
  echo "usr/share/applications/$1.desktop"
  echo "usr/share/metainfo/$1.metainfo.xml"
  echo "usr/share/icons/hicolor/scalable/apps/$1.svg"
  echo "usr/share/icons/hicolor/48x48/apps/$1.png"
  echo "usr/share/icons/hicolor/256x256/apps/$1.png"
}
{
  desktop_files io.github.tansu.Tansu tansu tansu-launch
  echo usr/share/doc/tansu/README.md
  echo usr/share/doc/tansu/copyright
  if [ "$viewer" = 1 ]; then
    desktop_files io.github.tansu.TansuKiss tansu-kiss tansu-kiss-open
    echo usr/share/mime/packages/io.github.tansu.TansuKiss.xml
  fi
} | sort >"$scratch/expected"
(cd "$root" && find . ! -type d | sed 's|^\./||' | sort) >"$scratch/actual"
if ! cmp -s "$scratch/expected" "$scratch/actual"; then
  diff "$scratch/expected" "$scratch/actual"
  fail "installed files differ from the expected ones (- missing, + unexpected)"
fi
for f in "$root"/usr/bin/*; do
  [ -x "$f" ] || fail "$f is not executable"
done

# Each entry starts an installed program and shows an installed icon.
for entry in "$root"/usr/share/applications/*.desktop; do
  name=$(basename "$entry")
  exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  try_program=$(sed -n 's/^TryExec=//p' "$entry")
  icon=$(sed -n 's/^Icon=//p' "$entry")
  for p in "$exec_program" "$try_program"; do
    [ -n "$p" ] && [ -x "$root/usr/bin/$p" ] || fail "$name starts '$p', which is not installed"
  done
  for dir in scalable 48x48 256x256; do
    ls "$root/usr/share/icons/hicolor/$dir/apps/$icon".* >/dev/null 2>&1 ||
      fail "$name: no $dir icon '$icon'"
  done
done
appstreamcli validate-tree --no-net "$root" >"$scratch/as" 2>&1 || { cat "$scratch/as"; fail "appstreamcli validate-tree"; }

# Stand-ins that write down where they ran and what they were given.
bin=$scratch/bin
mkdir -p "$bin" "$scratch/elsewhere" "$scratch/docs"
cp "$src/desktop/tansu-launch" "$src/desktop/tansu-kiss-open" "$bin/"
[ "$viewer" = 1 ] && cp "$root/usr/bin/tansu-kiss-open" "$bin/"
cp "$root/usr/bin/tansu-launch" "$bin/"
for p in tansu tansu-kiss; do
  cat >"$bin/$p" <<'STANDIN'
#!/bin/sh
{ pwd; for a in "$@"; do echo "arg:$a"; done; } >"$STANDIN_LOG"
echo unpacked >unpacked.cel
[ "${STANDIN_SIGNAL:-}" ] && kill "-$STANDIN_SIGNAL" $$
exit "${STANDIN_STATUS:-0}"
STANDIN
  chmod +x "$bin/$p"
done
log=$scratch/standin.log
export STANDIN_LOG="$log"
unset XDG_DATA_HOME XDG_CACHE_HOME STANDIN_STATUS STANDIN_SIGNAL

# tansu-launch: TANSU runs in the user's TANSU folder, made on first start.
home="$scratch/ホーム dir"
mkdir -p "$home"
rm -f "$log"
(cd "$scratch/elsewhere" && HOME=$home STANDIN_STATUS=5 "$bin/tansu-launch")
status=$?
[ $status -eq 5 ] || fail "tansu-launch: exit status $status, TANSU's was 5"
[ -d "$home/.local/share/tansu" ] || fail "tansu-launch: ~/.local/share/tansu not made"
[ "$(sed -n 1p "$log" 2>/dev/null)" = "$home/.local/share/tansu" ] ||
  fail "tansu-launch: TANSU ran in '$(sed -n 1p "$log" 2>/dev/null)'"
[ -f "$scratch/elsewhere/unpacked.cel" ] && fail "tansu-launch: TANSU ran in the caller's folder"

rm -f "$log"
(cd "$scratch/elsewhere" && HOME=$home XDG_DATA_HOME=$scratch/data "$bin/tansu-launch")
[ "$(sed -n 1p "$log" 2>/dev/null)" = "$scratch/data/tansu" ] ||
  fail "tansu-launch: XDG_DATA_HOME not honoured: '$(sed -n 1p "$log" 2>/dev/null)'"

# Through a link in a folder that is not on the PATH: still its own tansu.
ln -s "$bin/tansu-launch" "$scratch/elsewhere/link"
rm -f "$log"
(cd "$scratch/elsewhere" && HOME=$home PATH=/usr/bin:/bin ./link)
[ -f "$log" ] || fail "tansu-launch through a link did not find its tansu"

# tansu-kiss-open: the viewer runs in a fresh folder under ~/.cache/tansu-kiss,
# gets the file as an absolute path, and the folder is gone afterwards.
check_opened() { # <what> <expected-status> <status> <expected-arg or "">
  where=$(sed -n 1p "$log" 2>/dev/null)
  case $where in
    "$cache"/tansu-kiss/set.*) ;;
    *) fail "$1: the viewer ran in '$where'" ;;
  esac
  [ -e "$where" ] && fail "$1: '$where' is left behind"
  [ "$3" -eq "$2" ] || fail "$1: exit status $3, expected $2"
  args=$(sed -n 's/^arg://p' "$log")
  [ "$args" = "$4" ] || fail "$1: the viewer was given '$args', expected '$4'"
  [ -z "$(ls -A "$cache/tansu-kiss")" ] || fail "$1: $cache/tansu-kiss not empty"
  [ -e "$scratch/docs/unpacked.cel" ] && fail "$1: unpacked into the caller's folder"
}
cache=$scratch/cache
rm -f "$log"
(cd "$scratch/docs" && HOME=$home XDG_CACHE_HOME=$cache STANDIN_STATUS=3 "$bin/tansu-kiss-open" "my set.lzh")
check_opened "relative name" 3 $? "$scratch/docs/my set.lzh"
rm -f "$log"
(cd "$scratch/docs" && HOME=$home XDG_CACHE_HOME=$cache "$bin/tansu-kiss-open" "$scratch/elsewhere/a.lzh")
check_opened "absolute name" 0 $? "$scratch/elsewhere/a.lzh"
rm -f "$log"
(cd "$scratch/docs" && HOME=$home XDG_CACHE_HOME=$cache "$bin/tansu-kiss-open")
check_opened "no file" 0 $? ""
rm -f "$log"
(cd "$scratch/docs" && HOME=$home XDG_CACHE_HOME=$cache STANDIN_SIGNAL=KILL "$bin/tansu-kiss-open" x.lzh) 2>/dev/null
check_opened "viewer killed" 137 $? "$scratch/docs/x.lzh"
# A configuration file: shown where it lies, no scratch folder.
mkdir -p "$scratch/set one"
rm -f "$log"
(cd "$scratch/docs" && HOME=$home XDG_CACHE_HOME=$cache STANDIN_STATUS=4 "$bin/tansu-kiss-open" "../set one/DOLL.CNF")
status=$?
[ $status -eq 4 ] || fail "a .cnf file: exit status $status, the viewer's was 4"
[ "$(sed -n 1p "$log" 2>/dev/null)" = "$scratch/set one" ] ||
  fail "a .cnf file: the viewer ran in '$(sed -n 1p "$log" 2>/dev/null)', not beside it"
[ "$(sed -n 's/^arg://p' "$log" 2>/dev/null)" = "$scratch/docs/../set one/DOLL.CNF" ] ||
  fail "a .cnf file: the viewer was given '$(sed -n 's/^arg://p' "$log" 2>/dev/null)'"
[ -z "$(ls -A "$cache/tansu-kiss")" ] || fail "a .cnf file: a scratch folder was made"

cache=$home/.cache
rm -f "$log"
(cd "$scratch/docs" && HOME=$home "$bin/tansu-kiss-open" x.lzh)
check_opened "default cache folder" 0 $? "$scratch/docs/x.lzh"

finish "install tree"
