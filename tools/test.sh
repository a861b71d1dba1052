#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build,
# then the suite again under ASan+UBSan and under ThreadSanitizer, then the
# fuzz targets (built alone with clang): each replays its seed corpus and
# then fuzzes for a few seconds from a fixed seed.
# OSTREL_TEST_FLAVOURS="release" limits the run to the listed flavours.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/setup-debian.sh"
export QT_QPA_PLATFORM=offscreen
default_flavours="release asan tsan fuzz"
for flavour in ${OSTREL_TEST_FLAVOURS:-$default_flavours}; do
  echo "=== $flavour build"
  bash "$here/tools/build.sh" "$flavour"
  echo "=== $flavour tests"
  (cd "$here/build/$flavour" && ctest --output-on-failure -j "$(nproc)" --timeout 300)
done
