#!/usr/bin/env bash
# Sets everything up, builds and starts Quarvel.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
exec ./build/src/quarvel
