#!/usr/bin/env bash
# Builds the release flavour and streams the filter graphs for a while,
# reporting frames, rates, resident memory after warm-up and at the end,
# and any error (exit status 1 then).
# Usage: tools/soak.sh [--hour | seconds, default 600]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
if [ "$seconds" = "--hour" ]; then seconds=3600; fi
bash "$here/tools/build.sh" release > /dev/null
exec "$here/build/release/bin/ostrel_soak" "$seconds"
