#!/usr/bin/env bash
# Runs one Windows program of the build under Wine with the ANSI code page
# 932, like wine-run.sh. Every program it starts inherits the code page.
#
#   scripts/wine-run-cp932.sh build/tests-x86/bench/scenario_tests.exe --gtest_filter='CodePage932/*'
#
# Wine takes the code page from LC_ALL even when Linux has no such locale,
# but then it names files in ASCII only: a double-byte file name fails with
# "path not found". So the Japanese UTF-8 locale must exist. When the system
# lacks it, a private copy is compiled once with localedef (about a second,
# 1 MB) and found through LOCPATH.
set -uo pipefail
if (($# == 0)); then
  echo "usage: wine-run-cp932.sh EXE [ARGS...]" >&2
  exit 2
fi
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
  export LOCPATH=${REGORVIK_LOCPATH:-$repo/build/locale}
  if [[ ! -e $LOCPATH/ja_JP.UTF-8/LC_CTYPE ]]; then
    mkdir -p "$LOCPATH" || exit 1
    (
      flock 9
      [[ -e $LOCPATH/ja_JP.UTF-8/LC_CTYPE ]] && exit 0
      localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8"
    ) 9>"$LOCPATH.lock" || { echo "wine-run-cp932.sh: could not build the ja_JP.UTF-8 locale" >&2; exit 1; }
  fi
fi
export LC_ALL=ja_JP.UTF-8
exec "$repo/scripts/wine-run.sh" "$@"
