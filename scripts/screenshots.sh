#!/usr/bin/env bash
# Takes the pictures in docs/: the Enable/Disable dialog, its About box, the
# usage window and one message box of each kind the program shows, as Wine
# draws them with its X11 driver on a virtual screen, each cut to its window.
#
#   scripts/screenshots.sh [BUILD_DIR]      (default: build/win64, a win64 build)
#
# The prefix is build/screenshots/prefix, apart from the test prefixes: it
# keeps Wine's normal graphics driver and its default theme, and lets Wine
# draw the window frames itself (Managed=N), since no window manager runs on
# the virtual screen. The driver holds each window open until its picture is
# taken; its transcripts land beside the prefix.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$repo/build/win64}" && pwd)
docs=$repo/docs
work=$repo/build/screenshots
tests=$build/bench
for built in "$tests/driver.exe" "$tests/provision.exe" "$build/src/RegOrvikPkg.exe"; do
  [[ -e $built ]] || { echo "screenshots.sh: $built is missing: build the win64 preset first" >&2; exit 1; }
done

export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export REGORVIK_BUILD_DIR="Z:${build//\//\\}"
release=$work/release
release_for_wine="Z:${release//\//\\}"
package_dir='C:\Program Files\Orvik\Compiler Integration'
tool="$package_dir\\RegOrvikPkg.exe"

install_tools() {
  local missing=()
  command -v Xvfb >/dev/null || missing+=(xvfb)
  command -v import >/dev/null || missing+=(imagemagick)
  command -v xwininfo >/dev/null || missing+=(x11-utils)
  ((${#missing[@]} == 0)) && return 0
  ((EUID == 0)) || { echo "screenshots.sh: run as root to install ${missing[*]}" >&2; return 1; }
  echo "screenshots.sh: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

xvfb_pid=
stop_screen() {
  wineserver -k 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
}

start_screen() {
  # Xvfb picks a free display and writes its number once it accepts clients.
  local number=$work/display
  rm -f "$number"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  xvfb_pid=$!
  trap stop_screen EXIT
  for _ in $(seq 100); do
    [[ -s $number ]] && break
    sleep 0.1
  done
  [[ -s $number ]] || { echo "screenshots.sh: Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$(<"$number")
}

make_prefix() {
  [[ -e $WINEPREFIX/.screenshots-ready ]] && return 0
  wine wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.screenshots-ready"
}

provision() {
  wine "$tests/provision.exe" "$@" >/dev/null
}

# The id of the viewable top-level window with exactly this title; waits for it.
wait_for_window() {
  local title=$1 id
  for _ in $(seq 200); do
    for id in $(xwininfo -root -tree | grep -F "\"$title\": (" | awk '{print $1}'); do
      if xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

# shot NAME TITLE ANSWER... -- ARGUMENT...
# Runs the tool with the arguments under the driver, which answers its windows
# in order; HOLD in an answer keeps that window up until its picture is taken.
shot() {
  local name=$1 title=$2 answers=()
  shift 2
  while [[ $1 != -- ]]; do
    answers+=(--answer "${1//HOLD/hold:$release_for_wine}")
    shift
  done
  shift
  rm -f "$release"
  wine "$tests/driver.exe" --timeout 120 --cwd "$package_dir" --unset ENVSDK_ROOTSUFFIX "${answers[@]}" \
    -- "$tool" "$@" >"$work/$name.txt" 2>&1 &
  local driver=$! window
  if ! window=$(wait_for_window "$title"); then
    echo "screenshots.sh: no window \"$title\" for $name; see $work/$name.txt" >&2
    touch "$release"
    wait "$driver" || true
    return 1
  fi
  sleep 0.5  # shown is not yet painted
  import -window "$window" "png:$docs/$name.png"
  touch "$release"
  wait "$driver" || true
  grep -q "held until" "$work/$name.txt" || { echo "screenshots.sh: $name did not go as planned" >&2; return 1; }
  echo "docs/$name.png"
}

install_tools
mkdir -p "$work" "$docs"
start_screen
make_prefix

provision --registered --enabled 1
shot dialog "Orvik Package Registration" "HOLD,press:2" --
shot about "About RegOrvikPkg" "sys:16,press:2" "HOLD,press:1" --
shot usage "Orvik Package Registration Utility Command Line Parameters" "HOLD,press:1" -- "/?"
shot message-error RegOrvikPkg "HOLD,press:1" -- bogus

provision --registered --installed 9.0
shot message-exclamation RegOrvikPkg "HOLD,press:1" -- /install

provision
wine "$tests/driver.exe" --cwd "$package_dir" -- "$tool" /RegCompiler "Orvik C++" 'C:\Orvik\bin' \
  'C:\Orvik\include' 'C:\Orvik\lib' /O2 WIN32 >"$work/compiler.txt" 2>&1
shot message-question "Register compiler" "HOLD,press:7" -- /RegCompiler "Orvik C++" 'C:\Orvik 2\bin' \
  'C:\Orvik 2\include' 'C:\Orvik 2\lib' /O2 WIN32

provision --registered --installed 7.0 --older-copy
shot message-reinstall "Reinstall Orvik Integration Tool" "HOLD,press:7" -- /install
