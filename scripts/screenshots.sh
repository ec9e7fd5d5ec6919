#!/usr/bin/env bash
# Takes the pictures in docs/: the Enable/Disable dialog, its About box, the
# usage window and one message box of each kind the release's RegOrvikPkg.exe
# shows, as Wine draws them with its X11 driver on a virtual screen, each cut
# to its window.
#
#   scripts/screenshots.sh      (what is missing is built: the release, the i686 bench)
#
# The prefix is build/screenshots/prefix, apart from the others. The bench
# holds each window open until its picture is taken; its transcripts land
# beside the prefix.
set -euo pipefail
# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
work=$regorvik_repo/build/screenshots
release=$work/release

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v import >/dev/null || missing+=(imagemagick)
command -v xwininfo >/dev/null || missing+=(x11-utils)
command -v xdotool >/dev/null || missing+=(xdotool)
[[ -e /usr/share/wine/fonts/marlett.ttf ]] || missing+=(fonts-wine)
if ((${#missing[@]})); then
  ((EUID == 0)) || { echo "screenshots.sh: run as root to install ${missing[*]}" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
regorvik_build release testbed bench
mkdir -p "$work"

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
DISPLAY=:$(<"$work/display")
export DISPLAY REGORVIK_BUILD_DIR REGORVIK_TOOL_EXE
REGORVIK_BUILD_DIR=$(regorvik_windows_path "$regorvik_build_dir")
REGORVIK_TOOL_EXE=$(regorvik_windows_path "$regorvik_release_dir/src/RegOrvikPkg.exe")
regorvik_use_prefix "$work/prefix" screen
# The caption buttons are drawn with the symbol font Marlett, which Wine
# finds in the prefix's Fonts folder; without it they show letters.
cp -u /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
bench() { wine "$regorvik_build_dir/bench/bench.exe" "$@"; }

# The id of the viewable top-level window with exactly this title; waits for it.
wait_for_window() {
  local id
  for _ in $(seq 200); do
    for id in $(xwininfo -root -tree | grep -F "\"$1\": (" | awk '{print $1}'); do
      xwininfo -id "$id" | grep -q 'Map State: IsViewable' && echo "$id" && return 0
    done
    sleep 0.1
  done
  return 1
}

# shot NAME TITLE ANSWER... -- ARGUMENT...
# Runs the tool under the bench, which answers its windows in order; HOLD in
# an answer keeps that window up until its picture is taken.
shot() {
  local name=$1 title=$2 answers=()
  shift 2
  while [[ $1 != -- ]]; do answers+=(--answer "${1//HOLD/hold:$(regorvik_windows_path "$release")}"); shift; done
  regorvik_command_file "$work/$name.command" "${@:2}"
  rm -f "$release"
  bench run --timeout 120 --cwd "\$PKG" --unset ENVSDK_ROOTSUFFIX "${answers[@]}" \
    --cmdfile "$(regorvik_windows_path "$work/$name.command")" >"$work/$name.txt" 2>&1 &
  local run=$! window
  window=$(wait_for_window "$title") || echo "screenshots.sh: no window \"$title\" for $name" >&2
  # Wine puts the pointer in the middle of the screen, where it lights up the
  # control below it; and shown is not yet painted.
  xdotool mousemove 0 0
  sleep 0.5
  [[ -z $window ]] || import -window "$window" "png:$regorvik_repo/docs/$name.png"
  touch "$release"
  wait "$run" || true
  if [[ -z $window ]] || grep -q '^failed' "$work/$name.txt"; then
    echo "screenshots.sh: $name did not go as planned; see $work/$name.txt" >&2
    return 1
  fi
  echo "docs/$name.png"
}

bench provision registered enabled=1
shot dialog "Orvik Package Registration" "HOLD,press:2" --
shot about "About RegOrvikPkg" "sys:16,press:2" "HOLD,press:1" --
shot usage "Orvik Package Registration Utility Command Line Parameters" "HOLD,press:1" -- "/?"
shot message-error RegOrvikPkg "HOLD,press:1" -- bogus

bench provision registered installed=9.0
shot message-exclamation RegOrvikPkg "HOLD,press:1" -- /install

bench provision
regorvik_command_file "$work/compiler.command" /RegCompiler "Orvik C++" 'C:\Orvik\bin' 'C:\Orvik\include' 'C:\Orvik\lib' /O2 WIN32
bench run --cwd "\$PKG" --cmdfile "$(regorvik_windows_path "$work/compiler.command")" >"$work/compiler.txt"
shot message-question "Register compiler" "HOLD,press:7" -- /RegCompiler "Orvik C++" 'C:\Orvik 2\bin' \
  'C:\Orvik 2\include' 'C:\Orvik 2\lib' /O2 WIN32

bench provision registered installed=7.0 older-copy
shot message-reinstall "Reinstall Orvik Integration Tool" "HOLD,press:7" -- /install
