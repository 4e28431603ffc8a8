# Shell functions of the window timing scripts (sourced by them).

# start_xvfb <display>: a virtual X display for the runs; its process in $xvfb.
start_xvfb() {
  Xvfb "$1" -noreset -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
}

# wait_for_window <display> <name> <pid> <run>: returns once a visible window
# whose title holds <name> is on the display; gives up (and says so) after
# about ten seconds or when the process <pid> has ended.
wait_for_window() {
  tries=0
  until DISPLAY=$1 xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 2000 ] || ! kill -0 "$3" 2>/dev/null; then echo "run $4: no window"; break; fi
    sleep 0.005
  done
}
