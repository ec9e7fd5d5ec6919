#!/usr/bin/env bash
# The start-up time of the release's "RegOrvikPkg.exe /s" under 32-bit Wine,
# against its floor: ide_search.exe, built in the release's build with the
# release's settings, which loads user32 and makes the tool's own search for
# an IDE window, and does nothing else.
#
#   scripts/benchmark-startup.sh [--reps N]
#
# What is missing is built: the release (build/release-x86, as
# scripts/release.sh builds it), the floor beside it, and the i686 bench.
# bench.exe time starts the two in turn from inside Wine with CreateProcessA,
# N times each (default 150), all on one CPU, so that wine's own start-up
# stays out of the figures and a drift of the machine hits both alike. Prints
# the medians and their ratio, and exits with 1 when the ratio is over 1.05.
set -euo pipefail
# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
regorvik_benchmark_reps 150 "$0" "$@"
regorvik_build release bench
cmake --build "$regorvik_release_dir" --target ide_search >/dev/null
regorvik_use_benchmark_prefix
runs=$(mktemp)
trap 'rm -f "$runs"' EXIT

echo "ide_search.exe and RegOrvikPkg.exe /s, $reps runs each, in turn..."
wine "$regorvik_build_dir/bench/bench.exe" time --reps "$reps" \
  "\"$(regorvik_windows_path "$regorvik_release_dir/ide_search.exe")\"" \
  "\"$(regorvik_windows_path "$regorvik_release_dir/src/RegOrvikPkg.exe")\" /s" | tr -d '\r' >"$runs"
awk '$3 != 0 { print "a run ended with exit code " $3 > "/dev/stderr"; exit 1 }' "$runs"
awk -v floor="$(regorvik_median "$runs" 0)" -v tool="$(regorvik_median "$runs" 1)" 'BEGIN {
  printf "ide_search.exe      median %6.2f ms\nRegOrvikPkg.exe /s  median %6.2f ms\n", floor, tool
  printf "ratio %.3f (bar: at most 1.05, %s)\n", tool / floor, tool / floor <= 1.05 ? "met" : "MISSED"
  exit tool / floor > 1.05
}'
