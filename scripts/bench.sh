#!/bin/sh
# Runs every benchmark of a build folder and prints the medians of repeated
# runs (the machine's noise is better judged from medians than from means).
#   scripts/bench.sh [BUILD-FOLDER]
set -eu
BUILD=${1:-build}
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for bench in bench-language bench-language-load binding-bench bench-app bench-search bench-print bench-restore bench-practice; do
    program="$BUILD/bin/$bench"
    [ -x "$program" ] || { echo "$bench: not built"; continue; }
    echo "== $bench"
    "$program" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true 2>/dev/null |
        grep -E '_median|^Benchmark|/repeats:1 ' || true
done
