#!/usr/bin/env bash
# Builds the release flavour and runs both soaks at once for a while: the
# filter graphs streaming (ostrel_soak) and the real engine sending inside a
# network namespace it makes (ostrel_engine_soak). Each reports frames,
# rates, resident memory after warm-up and at the end, and any error; the
# script fails when either does. Where no network namespace can be made the
# engine soak is skipped, and says so.
# Usage: tools/soak.sh [--hour | seconds, default 600]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
if [ "$seconds" = "--hour" ]; then seconds=3600; fi
build="$here/build/release"
bash "$here/tools/build.sh" release ostrel_soak ostrel_engine_soak > /dev/null
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
"$build/bin/ostrel_soak" "$seconds" > "$logs/graphs" 2>&1 & graphs=$!
"$build/bin/ostrel_engine_soak" "$seconds" > "$logs/engine" 2>&1 & engine=$!
graphs_status=0 engine_status=0
wait $graphs || graphs_status=$?
wait $engine || engine_status=$?
cat "$logs/graphs" "$logs/engine"
if [ $engine_status -eq 77 ]; then
  echo "engine soak skipped: no network namespace can be made here"
  engine_status=0
fi
[ $graphs_status -eq 0 ] && [ $engine_status -eq 0 ]
