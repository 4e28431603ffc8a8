#!/bin/sh
# screenshots.sh [out-folder]: takes the user guide's pictures on a virtual X
# display (Xvfb, with openbox for title bars when it is installed) into
# docs/images/ (or the folder given):
#   main-window.png      the main window with the demonstration catalog
#   sort-menu.png        its Sort menu open
#   settings-dialog.png  the settings dialog
#   record-dialog.png    the record dialog for the first row
#   batch-add-dialog.png the new sets of the demonstration's KiSS folder
#                        (Ctrl+I)
#   find-dialog.png      the search dialog over the record it found (Ctrl+F)
#   viewer.png           tansu-kiss showing the demonstration set, opened
#                        from the catalog's first row
#   preview.png          the main window with the preview window beside it
#                        (Ctrl+P), showing the first row's doll
# Needs a build (build/src/app/tansu, build/viewer/tansu-kiss) and the
# packages of scripts/setup.sh plus imagemagick and xdotool.  A picture whose window does not appear is skipped with a note;
# the script fails only when the main window does not appear.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/images}
mkdir -p "$out"
out=$(cd "$out" && pwd)
tansu=$root/build/src/app/tansu
viewer=$root/build/viewer/tansu-kiss
wait_seconds=${TANSU_SHOT_WAIT:-10}

for tool in Xvfb xdotool import convert; do
  command -v $tool >/dev/null || { echo "screenshots: $tool is missing (apt-get install xvfb xdotool imagemagick)"; exit 1; }
done
[ -x "$tansu" ] || { echo "screenshots: no $tansu; build first (sh scripts/build.sh build)"; exit 1; }

work=$(mktemp -d)
pids=""
cleanup() {
  for p in $pids; do kill "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A black screen, so that trimming the picture keeps only the windows; Xvfb
# picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -br -noreset -screen 0 1024x768x24 3>"$work/display" >/dev/null 2>&1 &
pids="$pids $!"
tries=0
until [ -s "$work/display" ] || [ $tries -gt 100 ]; do tries=$((tries + 1)); sleep 0.05; done
[ -s "$work/display" ] || { echo "screenshots: Xvfb did not start"; exit 1; }
DISPLAY=":$(cat "$work/display")"
export DISPLAY
if command -v openbox >/dev/null; then
  openbox >/dev/null 2>&1 &
  pids="$pids $!"
  sleep 0.5
fi

# find_window <pid> <title-pattern>: waits for a visible window of that
# process whose title matches; prints its id.
find_window() {
  tries=0
  while [ $tries -lt $((wait_seconds * 10)) ]; do
    if [ -n "$1" ]; then
      id=$(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | tail -1)
    else
      id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | tail -1)
    fi
    [ -n "$id" ] && { echo "$id"; return 0; }
    tries=$((tries + 1))
    sleep 0.1
  done
  return 1
}

# shot_screen <name>: the whole screen, trimmed to what is not background.
shot_screen() {
  sleep 0.5
  import -window root "$work/screen.png" &&
    convert "$work/screen.png" -trim +repage -bordercolor black -border 0 "$out/$1.png" &&
    echo "screenshots: $out/$1.png"
}

# shot_window <name> <window-id>: one window with the window manager's
# frame around it.
shot_window() {
  sleep 0.5
  import -frame -window "$2" "$out/$1.png" && echo "screenshots: $out/$1.png"
}

# close_dialog <window-id>: Esc, as a user would; Alt+F4 if it stays.
close_dialog() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1
  xdotool key Escape
  sleep 0.5
  if xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1"; then
    xdotool windowactivate --sync "$1" >/dev/null 2>&1
    xdotool key alt+F4
    sleep 0.5
  fi
}

# key_to <window-id> <keys...>: the window is activated and the keys are
# typed as from the keyboard (events sent to a window directly are not
# treated like typed keys by every toolkit path).
key_to() {
  w=$1
  shift
  xdotool windowactivate --sync "$w" >/dev/null 2>&1 || xdotool windowfocus "$w" 2>/dev/null
  xdotool key "$@"
}

skipped=""
skip() { echo "screenshots: skipped $1 ($2)"; skipped="$skipped $1"; }

# TANSU in a fresh demonstration folder (its catalog's first row is the
# generated set; the viewer is found on PATH).
sh "$root/scripts/demo-folder.sh" "$root/build" "$work/tansu" || exit 1
PATH="$root/build/viewer:$PATH"
export PATH
(cd "$work/tansu" && exec "$tansu") >"$work/tansu.log" 2>&1 &
app=$!
pids="$pids $app"
main=$(find_window $app '^TANSU') || {
  cat "$work/tansu.log"
  echo "screenshots: the main window did not appear"
  exit 1
}
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || xdotool windowfocus "$main"
sleep 0.5
shot_window main-window "$main"

# The preview beside the main window (Ctrl+P), then closed again.
key_to "$main" ctrl+p
if preview=$(find_window $app 'プレビュー'); then
  sleep 1
  shot_screen preview
  key_to "$main" ctrl+p
  sleep 0.3
else
  skip preview "no preview window"
fi

# The Sort menu (Alt+S), left open for the picture, then closed.
key_to "$main" alt+s
sleep 0.5
shot_screen sort-menu
xdotool key Escape
sleep 0.3

# The settings dialog: File menu, third item.
key_to "$main" alt+f
sleep 0.3
xdotool key Down Down Return
if dialog=$(find_window $app '設定'); then
  shot_window settings-dialog "$dialog"
  close_dialog "$dialog"
else
  skip settings-dialog "no settings window"
fi

# The record dialog for the selected (first) row: Ctrl+M.
xdotool windowactivate --sync "$main" >/dev/null 2>&1
key_to "$main" ctrl+m
if dialog=$(find_window $app 'レコード'); then
  shot_window record-dialog "$dialog"
  close_dialog "$dialog"
else
  skip record-dialog "no record window"
fi

# The sets of the KiSS folder that the catalog lacks: Ctrl+I.
xdotool windowactivate --sync "$main" >/dev/null 2>&1
key_to "$main" ctrl+i
if dialog=$(find_window $app '一括追加'); then
  shot_window batch-add-dialog "$dialog"
  close_dialog "$dialog"
else
  skip batch-add-dialog "no list of new sets"
fi

# A search: Ctrl+F, a maker's name, Enter; Ctrl+F again shows the dialog
# over the record found.  The window manager needs a moment between the
# two dialogs to give the second the focus.
xdotool windowactivate --sync "$main" >/dev/null 2>&1
key_to "$main" ctrl+f
if dialog=$(find_window $app '検索'); then
  xdotool windowactivate --sync "$dialog" >/dev/null 2>&1
  xdotool type 'みなと'
  xdotool key Return
  sleep 1
  key_to "$main" ctrl+f
  if dialog=$(find_window $app '検索'); then
    shot_screen find-dialog
    close_dialog "$dialog"
  else
    skip find-dialog "no search window the second time"
  fi
else
  skip find-dialog "no search window"
fi

# The demonstration set opened from the catalog as a user does: a
# double-click on the first row (below the menu bar and the heading row),
# Enter for Yes; tansu-kiss unpacks it in TMPDIR.
xdotool windowactivate --sync "$main" >/dev/null 2>&1
xdotool mousemove --window "$main" 300 42 click --repeat 2 --delay 80 1
if question=$(find_window $app '展開ファイルの確認'); then
  key_to "$question" Return
else
  xdotool key Return
fi
if window=$(find_window '' 'DEMODOLL'); then
  sleep 1
  shot_window viewer "$window"
else
  xdotool search --onlyvisible --name . 2>/dev/null | while read -r w; do
    echo "screenshots: a window is open: $(xdotool getwindowname "$w")"
  done
  skip viewer "no viewer window"
fi

[ -z "$skipped" ] || echo "screenshots: not taken:$skipped"
exit 0
