#!/bin/bash
# Prints, in one run, every figure of the import's speed: the whole import against its floor
# and the pugixml peers with peak memory and scaling, the category build, a catver.ini load,
# the folder match, and the window's start-up to its import line.
# Usage: bash bench/import-figures.sh [build folder] [listxml.xml]
# Run it on an otherwise idle machine; quote the medians.
set -euo pipefail
build=${1:-build}
list=${2:-}
bench=$build/bench

run() {
    echo
    echo "== $*"
    "$@"
}

run "$bench/import/bench_import" ${list:+"$list"} --scaling
run "$bench/catalogue/bench_category_build" --runs 21
run "$bench/romlist/bench_romlist"
run "$bench/romfolder/bench_romfolder_match" --runs 15
run "$bench/app/bench_startup" ${list:+"$list"} --runs 7
