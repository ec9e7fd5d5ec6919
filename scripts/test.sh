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
scripts/fuzz.sh --seconds "$fuzz_seconds"

# The i686 release is built by the tests of the x86_64 build, twice, to show
# that both builds give the same bytes.
step "Windows test build (x86_64)"
cmake --preset tests-x64 "${werror[@]}" >/dev/null
cmake --build --preset tests-x64 -j "$jobs"

step "release checks and Wine scenario tests"
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
regorvik_use_prefix "$regorvik_test_prefix"
ctest --preset tests-x64

step "all tests passed"
