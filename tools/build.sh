#!/usr/bin/env bash
# Configures and builds one flavour of the project into build/<flavour>.
# Usage: tools/build.sh [release|asan|tsan|fuzz] [targets...]
# Without targets the whole flavour is built.
# fuzz builds only the libFuzzer targets and what they load, with clang (the
# rest is GCC), so it stays quick.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:-release}
shift || true
case "$flavour" in
  release) opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    opts=(-DCMAKE_BUILD_TYPE=Debug -DOSTREL_SANITIZE=ON -DOSTREL_BUILD_BENCH=OFF) ;;
  tsan)    opts=(-DCMAKE_BUILD_TYPE=Debug -DOSTREL_TSAN=ON -DOSTREL_BUILD_BENCH=OFF) ;;
  fuzz)    opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREL_FUZZ=ON -DOSTREL_BUILD_CONSOLE=OFF
                 -DOSTREL_BUILD_TESTS=OFF -DOSTREL_BUILD_BENCH=OFF
                 -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14) ;;
  *) echo "unknown build flavour '$flavour' (release, asan, tsan or fuzz)" >&2; exit 2 ;;
esac
# ccache, where installed, makes rebuilds of unchanged sources nearly free.
if command -v ccache > /dev/null; then
  opts+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$here/build/$flavour" "${opts[@]}" > /dev/null
targets=()
if [ $# -gt 0 ]; then targets=(--target "$@")
elif [ "$flavour" = fuzz ]; then targets=(--target fuzz_targets); fi
cmake --build "$here/build/$flavour" -j "$(nproc)" "${targets[@]}"
