#!/usr/bin/env bash
# Installs what is missing, builds, and starts the sender console.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# Before installing and building: a user without a display should learn it
# now, not after minutes of building.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (DISPLAY is not set). Start the console under a virtual one, e.g.:" >&2
  echo "  xvfb-run -a bash tools/run.sh" >&2
  if ! command -v xvfb-run > /dev/null; then
    echo "xvfb-run comes with the xvfb package; 'bash tools/setup-debian.sh' installs it." >&2
  fi
  exit 1
fi
bash "$here/tools/setup-debian.sh"
bash "$here/tools/build.sh" release
exec "$here/build/release/bin/ovSenderUI" "$@"
