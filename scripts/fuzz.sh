#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) and runs each for
# a number of executions or seconds, keeping its corpus in build/fuzz/corpus.
#
#   scripts/fuzz.sh [--runs N | --seconds S]      (default: --runs 10000000)
#
# A fault stops the run with the sanitizer's report; the input that caused
# it is saved in the current directory.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
limit=-runs=10000000
case ${1:-} in
  --runs) limit=-runs=$2 ;;
  --seconds) limit=-max_total_time=$2 ;;
  "") ;;
  *) echo "usage: scripts/fuzz.sh [--runs N | --seconds S]" >&2; exit 2 ;;
esac

cmake --preset fuzz -DREGORVIK_WERROR=ON >/dev/null
cmake --build --preset fuzz >/dev/null
for target in build/fuzz/tests/host/fuzz_*; do
  name=$(basename "$target")
  mkdir -p "build/fuzz/corpus/$name"
  if ! "$target" "$limit" -max_len=4000 -timeout=10 "build/fuzz/corpus/$name" >"build/fuzz/$name.log" 2>&1; then
    tail -n 60 "build/fuzz/$name.log"
    echo "$name found a fault" >&2
    exit 1
  fi
  echo "$name: $(grep -E '^Done' "build/fuzz/$name.log")"
done
