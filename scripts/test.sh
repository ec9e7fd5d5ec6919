#!/usr/bin/env bash
# Builds everything and runs every test: host unit tests, the fuzz targets for
# a bounded time, and the Windows builds with their scenario tests under Wine.
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
cmake --preset fuzz "${werror[@]}" >/dev/null
cmake --build --preset fuzz -j "$jobs"
for target in build/fuzz/tests/host/fuzz_*; do
  [[ -x "$target" ]] || continue
  corpus="build/fuzz/corpus/$(basename "$target")"
  mkdir -p "$corpus"
  log="build/fuzz/$(basename "$target").log"
  if ! "$target" -max_total_time="$fuzz_seconds" -max_len=4000 -timeout=10 "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$(basename "$target") found a fault; the input is saved in the current directory" >&2
    exit 1
  fi
  echo "$(basename "$target"): $(grep -E '^Done' "$log")"
done

step "Windows builds (x86_64 and i686)"
cmake --preset win32 "${werror[@]}" >/dev/null
cmake --build --preset win32 -j "$jobs"
cmake --preset win64 "${werror[@]}" >/dev/null
cmake --build --preset win64 -j "$jobs"

step "Wine scenario tests"
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
regorvik_use_prefix "$regorvik_test_prefix"
ctest --preset win64

step "all tests passed"
