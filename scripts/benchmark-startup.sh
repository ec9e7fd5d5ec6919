#!/usr/bin/env bash
# The start-up time of "RegOrvikPkg.exe /s" under Wine, against its floor:
# ide_search.exe, built the same way, which loads user32 and makes the tool's
# own search for an IDE window, and does nothing else.
#
#   scripts/benchmark-startup.sh [--reps N] [BUILD_DIR]
#
# BUILD_DIR is the x86_64 Windows build (default build/tests-x64); what is missing
# there is built. bench.exe time starts the two in turn from inside Wine with
# CreateProcessA, N times each (default 150), all on one CPU, so that wine's
# own start-up stays out of the figures and a drift of the machine hits both
# alike. Prints the medians and their ratio, and exits with 1 when the ratio
# is over 1.05.
set -euo pipefail
# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
reps=150 build=$regorvik_repo/build/tests-x64
while (($#)); do
  case $1 in
    --reps) reps=$2; shift 2 ;;
    -h | --help) sed -n '2,13p' "$0"; exit 0 ;;
    *) build=$(realpath -m "$1"); shift ;;
  esac
done
regorvik_build "$build" RegOrvikPkg ide_search bench
regorvik_use_benchmark_prefix
runs=$(mktemp)
trap 'rm -f "$runs"' EXIT

echo "ide_search.exe and RegOrvikPkg.exe /s, $reps runs each, in turn..."
wine "$build/bench/bench.exe" time --reps "$reps" "\"$(regorvik_windows_path "$build/bench/ide_search.exe")\"" \
  "\"$(regorvik_windows_path "$build/src/RegOrvikPkg.exe")\" /s" | tr -d '\r' >"$runs"
awk '$3 != 0 { print "a run ended with exit code " $3 > "/dev/stderr"; exit 1 }' "$runs"
awk -v floor="$(regorvik_median "$runs" 0)" -v tool="$(regorvik_median "$runs" 1)" 'BEGIN {
  printf "ide_search.exe      median %6.2f ms\nRegOrvikPkg.exe /s  median %6.2f ms\n", floor, tool
  printf "ratio %.3f (bar: at most 1.05, %s)\n", tool / floor, tool / floor <= 1.05 ? "met" : "MISSED"
  exit tool / floor > 1.05
}'
