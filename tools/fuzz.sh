#!/usr/bin/env bash
# Builds the fuzz flavour and runs its targets one after another for longer
# than the test command does.
# Usage: tools/fuzz.sh [seconds per target, default 300] [target names...]
# Target names are those under fuzz/corpus/ (e.g. registry_text); without
# names every target runs, each from a random seed. A crash stops the run;
# its input is kept in build/fuzz/artifacts/ and named.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
shift || true
bash "$here/tools/build.sh" fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$here"/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for name in "${targets[@]}"; do
  echo "=== fuzz_$name for ${seconds}s"
  if ! bash "$here/fuzz/run-target.sh" "$here/build/fuzz/bin/fuzz_$name" "$here/fuzz/corpus/$name" "$seconds" 0 > "$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$name failed" >&2
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units)' "$log" || true
done
