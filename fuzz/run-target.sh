#!/usr/bin/env bash
# Runs one fuzz target for a while on its seed corpus.
# Usage: run-target.sh <target binary> <seed folder> <seconds>
# Inputs the run finds go to a scratch folder, so the seeds in the
# repository stay as they are; a crash leaves its input in
# build/fuzz/artifacts/ and fails the run.
set -euo pipefail
target=$1 seeds=$2 seconds=$3
name=$(basename "$target")
artifacts="$(dirname "$target")/../artifacts"
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
exec "$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$artifacts/$name-" "$scratch" "$seeds"
