#!/usr/bin/env bash
# Builds everything and runs every test: host unit tests, the fuzz targets for
# a bounded time, the release with its checks, and the scenario tables under
# Wine: every row against the i686 release, the file users get, under 32-bit
# Wine, and a few rows against the x86_64 test build that show the 64-bit
# registry view. The last lines say which build ran which tables.
# Usage: scripts/test.sh [--no-install]
#
# Where 32-bit Wine cannot run the i686 programs the release's tables cannot
# run, and the script fails saying so, unless REGORVIK_WITHOUT_WINE32=1: then
# the x86_64 test build runs every table instead, and the last lines say that
# the release was not run.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

if [[ "${1:-}" != "--no-install" ]]; then
  scripts/install-deps.sh
fi

fuzz_seconds=${REGORVIK_FUZZ_SECONDS:-30}
jobs=$(nproc)
werror=(-DREGORVIK_WERROR=ON)
started=$SECONDS

step() { printf '\n==> %s (%ds)\n' "$*" $((SECONDS - started)); }

step "host build and unit tests"
cmake --preset host "${werror[@]}" >/dev/null
cmake --build --preset host -j "$jobs"
ctest --preset host -j "$jobs"

step "fuzz targets (${fuzz_seconds}s each)"
scripts/fuzz.sh --seconds "$fuzz_seconds"

# The i686 bench first: without arguments it prints its usage and exits with
# 2, which only a Wine that runs i686 programs lets it do.
step "i686 test build, with the release (build/release-x86) whose exe its tables run"
cmake --preset tests-x86 "${werror[@]}" >/dev/null
cmake --build --preset tests-x86 -j "$jobs" --target bench
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
regorvik_use_prefix "$regorvik_test_prefix"
wine32=yes
wine build/tests-x86/bench/bench.exe >/dev/null 2>&1 || (($? == 2)) || wine32=no
if [[ $wine32 == no && ${REGORVIK_WITHOUT_WINE32:-} != 1 ]]; then
  echo "test.sh: this Wine cannot run i686 programs, so the release's scenario tables cannot run." >&2
  echo "  scripts/install-deps.sh installs 32-bit Wine (wine32:i386) beside the 64-bit one;" >&2
  echo "  REGORVIK_WITHOUT_WINE32=1 runs every table on the x86_64 test build instead, without the release." >&2
  exit 1
fi
cmake --build --preset tests-x86 -j "$jobs"

all_rows_on_x64=OFF
[[ $wine32 == no ]] && all_rows_on_x64=ON
step "x86_64 test build"
cmake --preset tests-x64 "${werror[@]}" -DREGORVIK_WINE_ALL_ROWS=$all_rows_on_x64 >/dev/null
cmake --build --preset tests-x64 -j "$jobs"

rm -rf build/tests-x64/wine-results build/tests-x86/wine-results
failed=()
step "release checks, and the x86_64 test build's scenario rows under Wine"
ctest --preset tests-x64 || failed+=("ctest --preset tests-x64")
if [[ $wine32 == yes ]]; then
  step "the i686 release's scenario tables under 32-bit Wine"
  ctest --preset tests-x86 || failed+=("ctest --preset tests-x86")
fi

# What one run of the scenario runner did, from gtest's results: "N rows passed".
rows() {
  local xml=build/$1/wine-results/$2.xml
  [[ -f $xml ]] || { echo "did not run"; return; }
  local tests failures skipped
  read -r tests failures < <(sed -n 's/^<testsuites tests="\([0-9]*\)" failures="\([0-9]*\)".*/\1 \2/p' "$xml")
  skipped=$(grep -c 'result="skipped"' "$xml" || true)
  if ((failures)); then
    echo "$failures of $tests rows FAILED"
  else
    echo "$((tests - skipped)) rows passed"
  fi
}
step "what ran"
version=$(sed -n 's/^project(RegOrvikPkg VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [[ $wine32 == yes ]]; then
  echo "i686 release build/release-x86/src/RegOrvikPkg.exe (the exe of RegOrvikPkg-$version.zip), 32-bit Wine:"
  echo "  every table: $(rows tests-x86 wine_scenarios); code page 932: $(rows tests-x86 wine_scenarios_cp932)"
  echo "x86_64 test build build/tests-x64/src/RegOrvikPkg.exe, 64-bit Wine:"
  echo "  the rows of the 64-bit view: $(rows tests-x64 wine_scenarios)"
else
  echo "i686 release build/release-x86/src/RegOrvikPkg.exe: NOT RUN under Wine, for want of 32-bit Wine (REGORVIK_WITHOUT_WINE32=1)"
  echo "x86_64 test build build/tests-x64/src/RegOrvikPkg.exe, 64-bit Wine, in its place:"
  echo "  every table: $(rows tests-x64 wine_scenarios); code page 932: $(rows tests-x64 wine_scenarios_cp932)"
fi
if ((${#failed[@]})); then
  printf 'FAILED: %s\n' "${failed[@]}"
  exit 1
fi
if [[ $wine32 == yes ]]; then
  echo "all tests passed ($((SECONDS - started))s)"
else
  echo "all tests that ran passed ($((SECONDS - started))s); the release was not run"
fi
