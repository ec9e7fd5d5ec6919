#!/usr/bin/env bash
# The start-up time of RegOrvikPkg.exe under Wine, against the smallest
# program built the same way (testbed's empty.exe).
#
#   scripts/benchmark-startup.sh [--reps N] [--breakdown] [BUILD_DIR]
#
# BUILD_DIR is a win64 build (default build/win64). "RegOrvikPkg.exe /s" and
# empty.exe are started from inside Wine by timing.exe with CreateProcessA,
# one after the other, N times each (default 60): the figures run from
# CreateProcessA to the end of the process, so wine's own start-up is left
# out and both pay the same. Prints the medians and their ratio (the bar is
# 1.2) and exits with 1 when the bar is missed.
#
# --breakdown adds programs compiled here on the fly, each doing one more of
# the things the tool does when it starts: importing user32, looking for the
# IDE's window (FindWindowA, EnumWindows with GetWindowTextA), calling
# comctl32's InitCommonControlsEx, and carrying the tool's manifest.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
reps=60
breakdown=0
build=$repo/build/win64
while (($#)); do
  case $1 in
    --reps) reps=$2; shift 2 ;;
    --breakdown) breakdown=1; shift ;;
    -h|--help) sed -n '2,18p' "$0"; exit 0 ;;
    *) build=$(cd "$1" && pwd); shift ;;
  esac
done
timing=$build/bench/timing.exe
for file in "$timing" "$build/src/RegOrvikPkg.exe" "$build/testbed/empty.exe"; do
  [[ -f $file ]] || { echo "benchmark-startup.sh: $file is missing: build $build first" >&2; exit 1; }
done
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

work=$(mktemp -d /tmp/regorvik-startup.XXXXXX)
trap 'rm -rf "$work"' EXIT

labels=("empty.exe" "RegOrvikPkg.exe /s")
commands=("\"$(windows_path "$build/testbed/empty.exe")\"" "\"$(windows_path "$build/src/RegOrvikPkg.exe")\" /s")

if ((breakdown)); then
  cat >"$work/step.cpp" <<'EOF'
#include <windows.h>
#include <commctrl.h>
static BOOL CALLBACK Look(HWND window, LPARAM) {
  char title[260];
  GetWindowTextA(window, title, sizeof title);
  return TRUE;
}
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
#if STEP >= 1
  GetSystemMetrics(SM_CXSCREEN);
#endif
#if STEP >= 2
  FindWindowA("wndclass_desked_gsk", nullptr);
  EnumWindows(Look, 0);
#endif
#if STEP >= 3
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
#endif
  return 0;
}
EOF
  cp "$repo/res/RegOrvikPkg.manifest" "$work/tool.manifest"
  printf '#include <winuser.h>\n1 RT_MANIFEST "tool.manifest"\n' >"$work/manifest.rc"
  x86_64-w64-mingw32-windres "$work/manifest.rc" -O coff -o "$work/manifest.res"
  step_labels=("+ user32" "+ FindWindowA, EnumWindows" "+ InitCommonControlsEx" "+ the tool's manifest")
  for step in 1 2 3 4; do
    extra=()
    ((step == 4)) && extra=("$work/manifest.res")
    x86_64-w64-mingw32-g++-posix -O2 -mwindows -static -DSTEP=$((step < 4 ? step : 3)) \
      "$work/step.cpp" "${extra[@]}" -o "$work/step$step.exe" -lcomctl32
    labels+=("empty.exe ${step_labels[step - 1]}")
    commands+=("\"$(windows_path "$work/step$step.exe")\"")
  done
fi

source "$repo/scripts/wine-env.sh"
echo "Timing ${#commands[@]} programs, $reps runs each, started in turn by timing.exe inside Wine (CreateProcessA)."
wine "$timing" --reps "$reps" "${commands[@]}" >"$work/runs.txt"

python3 - "$work/runs.txt" "${labels[@]}" <<'EOF'
import statistics, sys
path, labels = sys.argv[1], sys.argv[2:]
runs = {}
for line in open(path):
    index, ms, code = line.split()
    if code != "0":
        sys.exit(f"{labels[int(index)]} ended with {code}")
    runs.setdefault(int(index), []).append(float(ms))
median = {index: statistics.median(times) for index, times in runs.items()}
print(f"{'program':<45} {'median ms':>10} {'min ms':>8} {'quartiles ms':>16}")
for index, times in sorted(runs.items()):
    q = statistics.quantiles(times, n=4)
    print(f"{labels[index]:<45} {median[index]:>10.1f} {min(times):>8.1f} {q[0]:>7.1f} - {q[2]:<7.1f}")
ratio = median[1] / median[0]
verdict = "met" if ratio <= 1.2 else "MISSED"
print(f"\nRegOrvikPkg.exe /s against empty.exe: {ratio:.2f} (bar: at most 1.2, {verdict})")
sys.exit(0 if ratio <= 1.2 else 1)
EOF
