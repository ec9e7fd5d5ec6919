#!/usr/bin/env bash
# How "RegOrvikPkg.exe /UnregAllCompilers" scales under Wine, beside wine's
# own reg.exe deleting the same tree.
#
#   scripts/benchmark-unregister-all.sh [--reps N]
#
# The tool is the release (build/release-x86, as scripts/release.sh builds
# it), under 32-bit Wine; what is missing is built. For 1,000 and then 10,000
# compilers, bench.exe time (inside
# Wine) rebuilds the compiler list before each run, untimed, then times the
# tool and "reg.exe delete ... /f" in turn, N times each (default 9), all on
# one CPU. Prints the medians and the ratios against their bars: the tool at
# most 1.0 times reg.exe at 10,000 compilers, and its own time for 10,000 over
# 1,000 at most 12. Exits with 1 when a bar is missed.
set -euo pipefail
# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
regorvik_benchmark_reps 9 "$0" "$@"
regorvik_build release bench
regorvik_use_benchmark_prefix
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tool="\"$(regorvik_windows_path "$regorvik_release_dir/src/RegOrvikPkg.exe")\" /UnregAllCompilers"
reg='reg.exe delete "HKLM\Software\Orvik\Compiler Integration Tool\Compilers" /f'
for size in 1000 10000; do
  echo "$size compilers: $reps runs of each, in turn..."
  wine "$regorvik_build_dir/bench/bench.exe" time --reps "$reps" --fill "$size" "$tool" "$reg" | tr -d '\r' >"$work/$size"
  awk '$3 != 0 { print "a run ended with exit code " $3 > "/dev/stderr"; exit 1 }' "$work/$size"
done
awk -v tool1k="$(regorvik_median "$work/1000" 0)" -v reg1k="$(regorvik_median "$work/1000" 1)" \
  -v tool10k="$(regorvik_median "$work/10000" 0)" -v reg10k="$(regorvik_median "$work/10000" 1)" '
function bar(name, value, limit) {
  printf "%-40s %6.2f (bar: at most %s, %s)\n", name, value, limit, value <= limit ? "met" : "MISSED"
  return value > limit
}
BEGIN {
  printf "medians (ms)           1,000    10,000\nRegOrvikPkg.exe %14.1f %9.1f\nreg.exe delete  %14.1f %9.1f\n",
    tool1k, tool10k, reg1k, reg10k
  printf "%-40s %6.2f\n", "the tool over reg.exe, 1,000 compilers", tool1k / reg1k
  missed = bar("the tool over reg.exe, 10,000 compilers", tool10k / reg10k, 1.0)
  missed += bar("the tool, 10,000 over 1,000 compilers", tool10k / tool1k, 12)
  exit missed > 0
}'
