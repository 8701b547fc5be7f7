#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each one for a bounded
# time (QUARVEL_FUZZ_SECONDS, 60 by default). Exits non-zero when a target finds a crash;
# the crashing input is left in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${QUARVEL_FUZZ_SECONDS:-60}"
targets=(quarvel_markup_fuzz:markup)

# Warnings are not the point of this build, and clang warns where gcc does not.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUARVEL_BUILD_FUZZ=ON -DQUARVEL_BUILD_TESTS=OFF -DQUARVEL_BUILD_BENCH=OFF -DQUARVEL_WARNINGS_AS_ERRORS=OFF
# The harness makes many short-lived strings: a smaller quarantine keeps page faults down
# (use-after-free is still caught within it), and recording no allocation stacks keeps the
# stack store from filling with frames unwound through Qt, which has no frame pointers.
# A crash still prints its own stack; replay a saved input with other ASAN_OPTIONS for more.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=32:malloc_context_size=0}"
mkdir -p build-fuzz/artifacts
for entry in "${targets[@]}"; do
  target="${entry%%:*}"
  seeds="${entry#*:}"
  cmake --build build-fuzz --target "$target"
  corpus="build-fuzz/corpus/$seeds"
  mkdir -p "$corpus"
  cp -n "fuzz/corpus/$seeds"/* "$corpus"/
  echo "fuzzing $target for $seconds s"
  "build-fuzz/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=30 \
    -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 "$corpus"
done
