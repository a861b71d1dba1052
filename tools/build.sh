#!/usr/bin/env bash
# Configures and builds one flavour of the project into build/<flavour>.
# Usage: tools/build.sh [release|asan|tsan]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:-release}
case "$flavour" in
  release) opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    opts=(-DCMAKE_BUILD_TYPE=Debug -DOSTREL_SANITIZE=ON -DOSTREL_BUILD_BENCH=OFF) ;;
  tsan)    opts=(-DCMAKE_BUILD_TYPE=Debug -DOSTREL_TSAN=ON -DOSTREL_BUILD_BENCH=OFF) ;;
  *) echo "unknown build flavour '$flavour' (release, asan or tsan)" >&2; exit 2 ;;
esac
# ccache, where installed, makes rebuilds of unchanged sources nearly free.
if command -v ccache > /dev/null; then
  opts+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$here/build/$flavour" "${opts[@]}" > /dev/null
cmake --build "$here/build/$flavour" -j "$(nproc)"
