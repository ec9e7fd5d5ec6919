#!/usr/bin/env bash
# Runs one Windows program of the build under Wine and exits with its exit
# code (Wine passes on only the low 8 bits: -1 arrives as 255).
#
#   scripts/wine-run.sh build/tests-x86/bench/scenario_tests.exe --gtest_brief=1
#
# This is the entry point of every Wine test of the Windows test builds.
set -uo pipefail
if (($# == 0)); then
  echo "usage: wine-run.sh EXE [ARGS...]" >&2
  exit 2
fi
# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
regorvik_use_prefix "$regorvik_test_prefix" || exit 1
exec wine "$@"
