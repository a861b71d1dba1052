#!/usr/bin/env bash
# Runs one fuzz target on its seed corpus: first every seed once, as a
# regression check that gives the same answer on every run, then the fuzzer
# mutating them for a while.
# Usage: run-target.sh <target binary> <seed folder> <seconds> [seed]
# The seed of the mutation run is 1 unless given (0 picks one at random), so
# a short run under ctest takes the same first steps every time. Inputs the
# run finds go to a scratch folder, so the seeds in the repository stay as
# they are; an input that breaks the target is kept in build/fuzz/artifacts/
# and named, with the command that replays it, and the run fails.
set -uo pipefail
target=$1 seeds=$2 seconds=$3 seed=${4:-1}
name=$(basename "$target")
artifacts="$(cd "$(dirname "$target")/.." && pwd)/artifacts"
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
options=(-timeout=20 -rss_limit_mb=2048 -artifact_prefix="$artifacts/$name-")

report() {
  echo "$name: the input $1 breaks the target" >&2
  echo "replay it with: $target ${options[*]:0:2} $1" >&2
  exit 1
}

mapfile -t files < <(find "$seeds" -maxdepth 1 -type f | sort)
if [ ${#files[@]} -gt 0 ]; then
  "$target" "${options[@]}" "${files[@]}" > "$scratch/replay.log" 2>&1
  status=$?
  if [ $status -ne 0 ]; then
    cat "$scratch/replay.log"
    report "$(grep '^Running: ' "$scratch/replay.log" | tail -n 1 | cut -d' ' -f2-)"
  fi
  echo "$name: ${#files[@]} seeds replayed"
fi

mkdir "$scratch/found"
touch "$scratch/start"
"$target" "${options[@]}" -seed="$seed" -max_total_time="$seconds" -print_final_stats=1 "$scratch/found" "$seeds"
status=$?
if [ $status -ne 0 ]; then
  found=$(find "$artifacts" -maxdepth 1 -name "$name-*" -newer "$scratch/start" | head -n 1)
  report "${found:-(none saved: see the output above)}"
fi
