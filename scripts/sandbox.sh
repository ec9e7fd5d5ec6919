#!/usr/bin/env bash
# Runs RegOrvikPkg.exe on a simulated machine under Wine and shows what it did:
# every window it showed, its exit code, the registry values and files that
# changed, and the outside programs it ran. See --help.
set -euo pipefail

# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
sandbox=$(realpath -m "${REGORVIK_SANDBOX_DIR:-$regorvik_repo/build/sandbox}")

legend() {
  cat <<'EOF'
The machine is 64-bit Windows, as the tool's users have it: the IDE and the
package are 32-bit, so their keys are in the 32-bit registry view (which
64-bit programs see below Wow6432Node) and their folders below Program Files
(x86). Names in what it prints:
  $VS       HKLM\Software\Microsoft\VisualStudio\7.0, the IDE's registry root ($VSExp: suffix Exp)
  $GUID     the package's GUID, the key below $VS\Packages
  $TOOLKEY  HKLM\Software\Orvik\Compiler Integration Tool
  $IDE      C:\Program Files (x86)\Microsoft Visual Studio .NET, the IDE's directory
  $TOOLS    $IDE\Common7\Tools, where the IDE's spawner vcspawn.exe is
  $PKG      C:\Program Files (x86)\Orvik\Compiler Integration, the package: the tool runs
            here, and the example installer puts it here
  $OLD      $PKG 6.5, an installed older copy
EOF
}

usage() {
  cat <<'EOF'
usage: scripts/sandbox.sh [OPTION]... [--] [TOOL ARGUMENT]...

Runs the release's RegOrvikPkg.exe (build/release-x86, as scripts/release.sh
builds it) in $PKG on a simulated machine (a Wine prefix with the IDE and the
Orvik package registered with it) and prints the windows it showed, its exit
code, what changed in the registry and on disk, and the programs it ran. The
machine is kept between runs: try /enable, then /disable. Without arguments
the tool shows its dialog. The first run installs what is missing; every run
builds what changed and copies a rebuilt tool in.

  scripts/sandbox.sh /enable
  scripts/sandbox.sh --fresh --installed-version 6.5 /install
  scripts/sandbox.sh --fail orvikpkg /enable
  scripts/sandbox.sh --answer click:1001,press:1      # the dialog: Disable, then OK
  scripts/sandbox.sh --fault 'RegOpenKeyExA(F003F)=5' /enable
  scripts/sandbox.sh --fresh --installed-version none --msi install
  scripts/sandbox.sh --msi repair
  scripts/sandbox.sh --unattended /install            # where nobody sees: no box, the log says

Options:
  --fresh                   throw the machine away and provision a new one
  --installed-version X     (with --fresh) version X of the tool installed in $OLD
  --installed-version none  (with --fresh) the package not installed at all
  --root-suffix S           ENVSDK_ROOTSUFFIX=S for the run; with --fresh (or on first
                            use) the IDE's root is 7.0S, and later runs set it too
                            (--root-suffix '' for none)
  --answer A                answer to the next window (repeatable, in order): ok, no,
                            a button id, or steps; others get their default button
  --fail devenv=N           devenv.exe ends with exit code N
  --fail orvikpkg[=WHEN]    OrvikPkg.dll's registration fails; WHEN is register,
  --fail velpkg[=WHEN]      unregister or both (the default); the same for VelPkg.dll
  --fault F                 make a call of the tool fail: FUNCTION[(TEXT)][#N[+]]=CODE
  --msi install|repair|uninstall
                            run the example installer (installer/) with msiexec /qn
                            instead of the tool: msiexec /i, /i REINSTALL=ALL
                            REINSTALLMODE=vomus, or /x
  --unattended              run where nobody can see a window, as an installer's action
                            running as LocalSystem does: on a window station no screen
                            shows (no --answer or --fault there)
  --show-machine            print the whole machine and stop
  -h, --help                this text

tools/bench/README.md tells the answers, faults and transcript in full.
Arguments after the options are joined with blanks into the tool's command
line, each one holding a blank or a tab, or empty, in double quotes; one
holding a double quote is taken as written ('"-O2 -W"' keeps its quotes).
Every run shows the tool's own log (REGORVIK_LOG) last. Exit status: the
tool's exit code (its low 8 bits: -1 is 255), 125 when the run itself
failed, 2 for a usage error. The machine lives in build/sandbox
(REGORVIK_SANDBOX_DIR), the bench that runs it in build/tests-x86.

EOF
  legend
}

fail_usage() {
  echo "sandbox.sh: $*" >&2
  echo "Try 'scripts/sandbox.sh --help'." >&2
  exit 2
}

fresh=false installed="" suffix="" suffix_given=false show_machine=false msi="" repair=""
run_options=() unattended=()
while (($#)); do
  case $1 in
    -h | --help) usage; exit 0 ;;
    --fresh) fresh=true; shift; continue ;;
    --show-machine) show_machine=true; shift; continue ;;
    --unattended) unattended=(--unattended); shift; continue ;;
    --) shift; break ;;
    --installed-version | --root-suffix | --answer | --fail | --fault | --msi)
      (($# >= 2)) || fail_usage "$1 wants a value" ;;
    --*) fail_usage "unknown option $1 (the tool's own arguments may follow --)" ;;
    *) break ;;
  esac
  case $1=$2 in
    --installed-version=*) installed=$2 ;;
    --root-suffix=*) suffix=$2; suffix_given=true ;;
    --answer=* | --fault=*) run_options+=("$1" "$2") ;;
    --msi=install) msi=/i ;;
    --msi=repair) msi="/i" repair=" REINSTALL=ALL REINSTALLMODE=vomus" ;;
    --msi=uninstall) msi=/x ;;
    --msi=*) fail_usage "--msi wants install, repair or uninstall" ;;
    --fail=devenv=?*) run_options+=(--env "TESTBED_DEVENV_EXIT=${2#devenv=}") ;;
    --fail=orvikpkg | --fail=velpkg | --fail=orvikpkg=both | --fail=velpkg=both)
      dll=${2%%=*}; run_options+=(--env "TESTBED_${dll^^}_FAIL=1") ;;
    --fail=orvikpkg=register | --fail=orvikpkg=unregister | --fail=velpkg=register | --fail=velpkg=unregister)
      dll=${2%%=*}; run_options+=(--env "TESTBED_${dll^^}_FAIL=${2#*=}") ;;
    *) fail_usage "--fail $2: expected devenv=N, orvikpkg[=register|unregister] or velpkg[=...]" ;;
  esac
  shift 2
done
machine_file=$sandbox/machine.env
if [[ -n $installed ]] && ! $fresh && [[ -f $machine_file ]]; then
  fail_usage "--installed-version changes the machine: add --fresh (which throws the current one away)"
fi

"$regorvik_repo/scripts/install-deps.sh"
mkdir -p "$sandbox"
# One run at a time: the build and the machine are shared by every run.
exec 8>"$sandbox/.lock"
flock 8
regorvik_build release testbed bench ${msi:+installer}
[[ -d $sandbox/prefix ]] || echo "Creating the sandbox's Wine prefix (once, a few seconds)..."
# Wine's server and services outlive the run by minutes: none of them may
# inherit the lock, or the next run would wait for them.
regorvik_use_prefix "$sandbox/prefix" 8>&-
release=$regorvik_release_dir/src/RegOrvikPkg.exe
export REGORVIK_BUILD_DIR REGORVIK_TOOL_EXE
REGORVIK_BUILD_DIR=$(regorvik_windows_path "$regorvik_build_dir")
REGORVIK_TOOL_EXE=$(regorvik_windows_path "$release")
bench() { wine "$regorvik_build_dir/bench/bench.exe" "$@" 8>&-; }

first_time=false
[[ -f $machine_file ]] || first_time=true
tool="$WINEPREFIX/drive_c/Program Files (x86)/Orvik/Compiler Integration/RegOrvikPkg.exe"
if $fresh || $first_time; then
  words=("suffix=$suffix" registered) package="the package registered with it, no installed version recorded"
  case $installed in
    "") package+=" (/install stops there)" ;;
    none) words=("suffix=$suffix") package="the package not installed (no package key)" ;;&
    none) [[ $msi != /i ]] || words+=(no-package-files) package+=", nor its files: the installer brings them" ;;
    *) words=("suffix=$suffix" "installed=$installed" older-copy) package="version $installed of the tool installed in \$OLD" ;;
  esac
  bench provision "${words[@]}" || { echo "sandbox.sh: provisioning the machine failed" >&2; exit 1; }
  printf 'machine_suffix=%q\nmachine=%q\n' "$suffix" "64-bit Windows, the IDE under \$VS$suffix in the 32-bit registry view; $package" >"$machine_file"
  echo "(provisioned a new machine)"
elif [[ -f $tool ]] && ! cmp -s "$release" "$tool"; then
  cp "$release" "$tool"
  echo "(copied the rebuilt RegOrvikPkg.exe into the sandbox)"
fi
machine="" machine_suffix=""
# shellcheck source=/dev/null
source "$machine_file"
echo "Sandbox machine: $machine."
if $suffix_given && [[ $suffix != "$machine_suffix" ]]; then
  echo "Note: the IDE of this machine is under 7.0$machine_suffix; ENVSDK_ROOTSUFFIX=$suffix points the tool at 7.0$suffix."
fi
$suffix_given || suffix=$machine_suffix
[[ -z $suffix ]] || run_options+=(--env "ENVSDK_ROOTSUFFIX=$suffix")
$first_time && legend

if $show_machine; then
  bench snapshot
  exit 0
fi

directory='$PKG'
regorvik_command_file "$sandbox/command-line.txt" "$@"
if [[ -n $msi ]]; then
  directory='C:\RegOrvikBench'
  cp "$regorvik_build_dir/installer/RegOrvikPkg.msi" "$WINEPREFIX/drive_c/RegOrvikBench/"
  echo "msiexec.exe $msi C:\RegOrvikBench\RegOrvikPkg.msi$repair /qn" >"$sandbox/command-line.txt"
fi
echo
what="the release's RegOrvikPkg.exe (build/release-x86/src)"
[[ -n $msi ]] && what="the example installer around it"
echo "Running $what in $directory: $(<"$sandbox/command-line.txt")"
for ((i = 0; i < ${#run_options[@]}; i += 2)); do echo "  with ${run_options[i]#--} ${run_options[i + 1]}"; done
((${#unattended[@]} == 0)) || echo "  where nobody can see its windows"
echo
status=0
bench run --machine --log '*' --cwd "$directory" "${unattended[@]+"${unattended[@]}"}" "${run_options[@]+"${run_options[@]}"}" \
  --cmdfile "$(regorvik_windows_path "$sandbox/command-line.txt")" | sed 's/^/  /' || status=${PIPESTATUS[0]}
echo
echo "The machine stays as it is now: run again to go on, --fresh to start over, --show-machine to see it."
exit "$status"
