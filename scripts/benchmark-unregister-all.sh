#!/usr/bin/env bash
# How "RegOrvikPkg.exe /UnregAllCompilers" scales under Wine, beside wine's
# own reg.exe deleting the same tree.
#
#   scripts/benchmark-unregister-all.sh [--reps N] [--sizes "1000 10000"] [BUILD_DIR]
#
# BUILD_DIR is a win64 build (default build/win64). For each size, timing.exe
# (inside Wine) writes that many compilers with their six values directly
# into the registry, untimed, then starts one of the two deleters with
# CreateProcessA and times it to its end; the tool and "reg.exe delete ...
# /f" take turns, N times each (default 5), on trees built the same way.
# Prints the medians and the ratios against their bars: the tool's time for
# the largest size over the smallest at most 12, the tool over reg.exe at
# most 1.5 at every size. Exits with 1 when a bar is missed.
#
# It rewrites HKLM\Software\Orvik in the prefix, as the scenario tests do.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
reps=5
sizes="1000 10000"
build=$repo/build/win64
while (($#)); do
  case $1 in
    --reps) reps=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    -h|--help) sed -n '2,17p' "$0"; exit 0 ;;
    *) build=$(cd "$1" && pwd); shift ;;
  esac
done
timing=$build/bench/timing.exe
tool=$build/src/RegOrvikPkg.exe
for file in "$timing" "$tool"; do
  [[ -f $file ]] || { echo "benchmark-unregister-all.sh: $file is missing: build $build first" >&2; exit 1; }
done
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

work=$(mktemp -d /tmp/regorvik-unregall.XXXXXX)
trap 'rm -rf "$work"' EXIT

source "$repo/scripts/wine-env.sh"
tool_command="\"$(windows_path "$tool")\" /UnregAllCompilers"
reg_command='reg.exe delete "HKLM\Software\Orvik\Compiler Integration Tool\Compilers" /f'
for size in $sizes; do
  echo "$size compilers: $reps runs of each deleter..."
  wine "$timing" --reps "$reps" --fill "$size" "$tool_command" "$reg_command" >"$work/$size.txt"
done

python3 - "$work" $sizes <<'EOF'
import statistics, sys
work, sizes = sys.argv[1], [int(size) for size in sys.argv[2:]]
names = ["RegOrvikPkg.exe /UnregAllCompilers", "reg.exe delete"]
median = {}
for size in sizes:
    runs = {}
    for line in open(f"{work}/{size}.txt"):
        index, ms, code = line.split()
        if code != "0":
            sys.exit(f"{names[int(index)]} ended with {code} on {size} compilers")
        runs.setdefault(int(index), []).append(float(ms))
    for index, times in runs.items():
        median[size, index] = statistics.median(times)
        shown = " ".join(f"{ms:.0f}" for ms in times)
        print(f"{size:>6} compilers  {names[index]:<36} median {median[size, index]:>8.1f} ms   runs: {shown}")

missed = False
def verdict(value, bar):
    global missed
    missed |= value > bar
    return f"{value:.2f} (bar: at most {bar}, {'met' if value <= bar else 'MISSED'})"

print()
small, large = sizes[0], sizes[-1]
for index, name in enumerate(names):
    ratio = median[large, index] / median[small, index]
    text = verdict(ratio, 12) if index == 0 else f"{ratio:.2f}"
    print(f"{name}: {large} over {small} compilers: {text}")
for size in sizes:
    print(f"tool over reg.exe, {size} compilers: {verdict(median[size, 0] / median[size, 1], 1.5)}")
sys.exit(1 if missed else 0)
EOF
