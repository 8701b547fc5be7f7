#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

# The fuzz targets need clang; they run for a bounded time in their own build, before the
# test suite so that its summary closes the output.
if command -v clang++ >/dev/null 2>&1; then
  bash tools/fuzz.sh
fi

cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
