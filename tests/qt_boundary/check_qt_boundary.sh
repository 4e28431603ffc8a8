#!/bin/sh
# check_qt_boundary.sh <source-root> <build-folder>
# Qt stays inside the window framework:
# 1. no source outside src/framework/ui/ includes a Qt header;
# 2. a source of the program's own libraries cannot even find one: the
#    probe built with their include paths fails on the Qt header, while the
#    same probe built with Qt's compiles (so the probe itself is sound).
root=$1
build=$2
status=0
cd "$root" || exit 2
outside=$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' src tools | grep -v '^src/framework/ui/')
if [ -n "$outside" ]; then
  echo "Qt headers included outside the window framework:"
  echo "$outside"
  status=1
fi
if ! out=$(cmake --build "$build" --target qt_probe_with_qt 2>&1); then
  echo "the probe does not compile even with Qt:"
  echo "$out" | tail -20
  status=1
fi
if out=$(cmake --build "$build" --target qt_probe_program 2>&1); then
  echo "the program's libraries can include Qt headers"
  status=1
elif ! echo "$out" | grep -q 'QWidget: No such file'; then
  echo "the probe failed for another reason than the missing Qt header:"
  echo "$out" | tail -20
  status=1
fi
[ $status -eq 0 ] && echo "Qt stays inside the window framework"
exit $status
