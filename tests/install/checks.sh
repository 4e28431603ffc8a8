# Shared by the install checks (sourced right after their arguments are
# read).  A failed check is counted, not fatal, so that one run reports
# every fault; each run gets a scratch folder, which the script's own trap
# removes.
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# stop <what>: a fault that leaves nothing more to check.
stop() { echo "FAIL: $*"; exit 1; }
# finish <what>: the verdict of all the checks, as the exit status.
finish() {
  [ $failed -eq 0 ] && echo "$1: all checks passed"
  exit $failed
}
scratch=$(mktemp -d)
