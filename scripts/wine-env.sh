# Sourced, not run: prepares the Wine prefix the Windows builds are tested in
# and exports the variables every wine call needs.
#
#   source scripts/wine-env.sh
#
# The prefix is <repo>/build/wineprefix unless REGORVIK_WINEPREFIX names
# another one. It is created on first use (wineboot, then the null graphics
# driver so that windows and message boxes work without a display), and a
# persistent wineserver is kept running so that each short run costs tens of
# milliseconds instead of seconds. Sourcing again, or from several shells at
# once, is safe: creation happens once, under a lock.

regorvik_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${REGORVIK_WINEPREFIX:-$regorvik_repo/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=-all
# Without mono and gecko wine would offer to download them on first start.
export WINEDLLOVERRIDES="mscoree,mshtml="

# The server, and the services wine starts beside it on the first run, live
# for minutes: both are started here with their output detached, since one
# that inherited a test runner's pipe would keep the runner waiting for it.
regorvik_start_wineserver() {
  wineserver -p600 </dev/null >/dev/null 2>&1 || true
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

regorvik_create_prefix() {
  local ready="$WINEPREFIX/.regorvik-ready"
  [[ -e "$ready" ]] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")" || return 1
  (
    flock 9
    [[ -e "$ready" ]] && exit 0
    wine wineboot -i </dev/null >/dev/null 2>&1 || exit 1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1 || exit 1
    # The graphics driver is read when the server starts.
    wineserver -k
    wineserver -w
    touch "$ready"
  ) 9>"$WINEPREFIX.lock"
}

if regorvik_create_prefix; then
  regorvik_start_wineserver
else
  echo "wine-env.sh: could not create the Wine prefix $WINEPREFIX" >&2
  false
fi
