#!/usr/bin/env bash
# Installs what is missing, builds, and starts the sender console.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/setup-debian.sh"
bash "$here/tools/build.sh" release
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (DISPLAY is not set). Start the console under a virtual one, e.g.:" >&2
  echo "  xvfb-run -a bash tools/run.sh" >&2
  exit 1
fi
exec "$here/build/release/bin/ovSenderUI" "$@"
