# shellcheck shell=bash disable=SC2034 # variables for the scripts that source it
# Sourced, not run: what the scripts that run the Windows build under Wine
# share.
#
#   source scripts/wine-env.sh
#   regorvik_use_prefix DIR [screen]    then wine ...
#
# The tests' prefix is <repo>/build/wineprefix unless REGORVIK_WINEPREFIX
# names another one; the sandbox, the benchmarks and the screenshots keep
# their own.

regorvik_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
regorvik_test_prefix=${REGORVIK_WINEPREFIX:-$regorvik_repo/build/wineprefix}

# Exports what every wine call needs, creates the prefix on first use and
# keeps a wineserver running, so that each short run costs tens of
# milliseconds instead of seconds. A test prefix gets the null graphics
# driver, so that windows and message boxes work without a display; a
# "screen" prefix keeps the X11 driver and draws the window frames itself,
# since no window manager runs on a virtual screen. Safe from several shells
# at once: creation happens once, under a lock.
regorvik_use_prefix() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all
  # Without mono and gecko wine would offer to download them on first start.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  local ready=$WINEPREFIX/.regorvik-ready setting=('HKCU\Software\Wine\Drivers' /v Graphics /d null)
  [[ ${2:-} == screen ]] && setting=('HKCU\Software\Wine\X11 Driver' /v Managed /d N)
  mkdir -p "$(dirname "$WINEPREFIX")" || return 1
  [[ -e $ready ]] || (
    flock 9
    [[ -e $ready ]] && exit 0
    wine wineboot -i </dev/null >/dev/null 2>&1 || exit 1
    wine reg add "${setting[@]}" /f </dev/null >/dev/null 2>&1 || exit 1
    # The graphics settings are read when the server starts.
    wineserver -k
    wineserver -w
    touch "$ready"
  ) 9>"$WINEPREFIX.lock" || { echo "could not create the Wine prefix $WINEPREFIX" >&2; return 1; }
  # The server, and the services wine starts beside it on the first run, live
  # for minutes: their output is detached, since one that inherited a
  # caller's pipe would keep the caller waiting for it.
  wineserver -p600 </dev/null >/dev/null 2>&1 || true
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# The Windows name of a Unix path, through Wine's drive Z:.
regorvik_windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

# regorvik_command_file FILE ARGUMENT...: writes the command line of the tool
# in the simulated machine: its path, then the arguments joined with blanks,
# each one holding a blank or a tab, or empty, in double quotes. The tool
# splits the line with its own rules, so one holding a double quote is taken
# as written.
regorvik_command_file() {
  local argument line='"C:\Program Files (x86)\Orvik\Compiler Integration\RegOrvikPkg.exe"'
  for argument in "${@:2}"; do
    [[ $argument != *\"* && (-z $argument || $argument == *[[:blank:]]*) ]] && argument="\"$argument\""
    line+=" $argument"
  done
  printf '%s\n' "$line" >"$1"
}

# The i686 test build (the bench, the testbed, the example installer) and the
# release it runs, the very exe that scripts/release.sh packs.
regorvik_build_dir=$regorvik_repo/build/tests-x86
regorvik_release_dir=$regorvik_repo/build/release-x86

# regorvik_build TARGET...: builds these targets of the i686 test build,
# configuring it the first time: `release` (the release, through
# scripts/release.sh), `bench`, `testbed`, `installer`; quiet unless it fails.
regorvik_build() {
  local build=$regorvik_build_dir log=$regorvik_build_dir/regorvik-build.log
  mkdir -p "$build" || return 1
  if [[ ! -f $build/build.ninja ]]; then
    echo "Configuring the Windows build in $build (the first build takes a few minutes)..."
    (cd "$regorvik_repo" && cmake --preset tests-x86) >"$log" 2>&1 || { cat "$log" >&2; return 1; }
  fi
  cmake --build "$build" --target "$@" >"$log" 2>&1 && return 0
  tail -n 40 "$log" >&2
  echo "the build failed (the whole log: $log)" >&2
  return 1
}

# The benchmarks' prefix, its server and every program started from here on
# one CPU, the last: a round trip to wine's server that crosses from one CPU
# to another costs as much as the work timed, and whether it crosses changes
# from run to run.
regorvik_use_benchmark_prefix() {
  local prefix=$regorvik_repo/build/benchmarks/prefix
  taskset -cp "$(($(nproc) - 1))" $$ >/dev/null
  WINEPREFIX=$prefix wineserver -k 2>/dev/null && WINEPREFIX=$prefix wineserver -w
  regorvik_use_prefix "$prefix"
}

# regorvik_benchmark_reps DEFAULT SCRIPT ARGUMENT...: sets reps to the number
# of runs a benchmark's arguments ask for (--reps N), else DEFAULT; --help
# prints the script's opening comment, anything else is a usage error.
regorvik_benchmark_reps() {
  reps=$1
  local script=$2
  shift 2
  while (($#)); do
    case $1 in
      --reps) reps=${2:?--reps wants a number}; shift 2 ;;
      -h | --help) sed -n '2,/^[^#]/{/^#/{s/^# \{0,1\}//;p;}}' "$script"; exit 0 ;;
      *) echo "$(basename "$script"): unknown argument $1 (--reps N or --help)" >&2; exit 2 ;;
    esac
  done
}

# regorvik_median FILE INDEX: the median milliseconds of one program's runs
# in the output of bench.exe time.
regorvik_median() {
  awk -v index_="$2" '$1 == index_ { print $2 }' "$1" | sort -g |
    awk '{ ms[NR] = $1 } END { print NR % 2 ? ms[(NR + 1) / 2] : (ms[NR / 2] + ms[NR / 2 + 1]) / 2 }'
}
