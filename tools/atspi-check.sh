#!/usr/bin/env bash
# Reads the running console over AT-SPI as a screen reader would, under a
# private session bus and a virtual X display, so it neither needs nor
# disturbs a desktop. Usage: tools/atspi-check.sh [path to ovSenderUI]
# With --propframe it reads property pages in ovpropframe instead, with the
# filter modules beside that program registered in the run's own registry:
# tools/atspi-check.sh --propframe [path to ovpropframe]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
propframe=0
if [ "${1:-}" = --propframe ]; then propframe=1; shift; fi
ui=${1:-$here/build/release/bin/$([ "$propframe" -eq 1 ] && echo ovpropframe || echo ovSenderUI)}
# The accessibility bus puts its socket below XDG_RUNTIME_DIR: a folder of
# this run's own keeps parallel runs apart.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
# Its own settings folder and the simulated engine: the check must not touch
# the user's stored values, nor start anything that sends.
export OSTREL_HOME=$runtime/home
export OVSENDER_ENGINE=simulated
mkdir -p "$OSTREL_HOME"
if [ "$propframe" -eq 1 ]; then
  bin=$(dirname "$ui")
  for module in stereopair fxbank quadview holdqueue; do
    "$bin/ovregsvr" "$bin/$module.so" > /dev/null
  done
  dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 "$here/tools/atspi_propframe_check.py" "$ui"
  exit
fi
dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 "$here/tools/atspi_check.py" "$ui"
