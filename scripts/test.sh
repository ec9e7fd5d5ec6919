#!/usr/bin/env bash
# Builds everything and runs every test: host unit tests, the fuzz targets for
# a bounded time, the release with its checks, and the scenario tables under
# 32-bit Wine, every row against the release's own RegOrvikPkg.exe, the file
# in the zip. The last lines say what ran. Where Wine cannot run i686
# programs the tables cannot run, and the script fails saying how to get
# 32-bit Wine.
# Usage: scripts/test.sh [--no-install]
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

step "i686 test build, with the release (build/release-x86) whose exe its tables run"
cmake --preset tests-x86 "${werror[@]}" >/dev/null
cmake --build --preset tests-x86 -j "$jobs" --target bench
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
regorvik_use_prefix "$regorvik_test_prefix"
# Nothing the tables started outlives them: Wine's server ends every program
# of the prefix with itself.
trap 'wineserver -k 2>/dev/null || true' EXIT
# Without arguments bench.exe prints its usage and exits with 2, which only a
# Wine that runs i686 programs lets it do.
status=0
wine build/tests-x86/bench/bench.exe >/dev/null 2>&1 || status=$?
if ((status != 2)); then
  echo "test.sh: this Wine cannot run i686 programs, so the release's scenario tables cannot run." >&2
  echo "  scripts/install-deps.sh installs 32-bit Wine (wine32:i386) beside the 64-bit one." >&2
  exit 1
fi
cmake --build --preset tests-x86 -j "$jobs"

rm -rf build/tests-x86/wine-results
step "the release's checks, and its scenario tables under 32-bit Wine"
failed=no
ctest --preset tests-x86 || failed=yes

# What one run of the scenario runner did, from gtest's results: "N rows passed".
rows() {
  local xml=build/tests-x86/wine-results/$1.xml tests failures
  [[ -f $xml ]] || { echo "did not run"; return; }
  read -r tests failures < <(sed -n 's/^<testsuites tests="\([0-9]*\)" failures="\([0-9]*\)".*/\1 \2/p' "$xml")
  if ((failures)); then echo "$failures of $tests rows FAILED"; else echo "$tests rows passed"; fi
}
step "what ran"
version=$(sed -n 's/^project(RegOrvikPkg VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
echo "i686 release build/release-x86/src/RegOrvikPkg.exe (the exe of RegOrvikPkg-$version.zip), 32-bit Wine:"
echo "  every table: $(rows wine_scenarios); code page 932: $(rows wine_scenarios_cp932)"
if [[ $failed == yes ]]; then
  echo "FAILED: ctest --preset tests-x86"
  exit 1
fi
echo "all tests passed ($((SECONDS - started))s)"
