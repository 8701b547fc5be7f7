#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
