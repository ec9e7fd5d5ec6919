#!/usr/bin/env bash
# Runs RegOrvikPkg.exe on a simulated machine under Wine and shows what it did:
# every window it showed, its exit code, the registry values and files that
# changed, and the outside programs it ran. See --help.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sandbox=$(realpath -m "${REGORVIK_SANDBOX_DIR:-$repo/build/sandbox}")
build=$(realpath -m "${REGORVIK_SANDBOX_BUILD_DIR:-$repo/build/win64}")

usage() {
  cat <<'EOF'
usage: scripts/sandbox.sh [OPTION]... [--] [TOOL ARGUMENT]...

Runs RegOrvikPkg.exe with the given arguments on a simulated machine (a Wine
prefix with the IDE and the Orvik package) and prints what the tool showed,
its exit code, what changed in the registry and on disk, and which programs
it ran. The machine is kept between runs: try /enable, then /disable, then
look at what each one did. Without arguments the tool shows its dialog.

  scripts/sandbox.sh /enable
  scripts/sandbox.sh /disable
  scripts/sandbox.sh --fresh --installed-version 6.5 /install
  scripts/sandbox.sh --fail orvikpkg /enable
  scripts/sandbox.sh --answer click:1001,press:1      # the dialog: Disable, then OK
  scripts/sandbox.sh --answer no /RegCompiler Clang C:\\clang\\bin C:\\inc C:\\lib -O2 WIN32

The first run installs what is missing (scripts/install-deps.sh), builds the
Windows programs and creates the machine: the IDE (its registry root with
InstallDir, devenv.exe and its own vcspawn.exe), and the package directory
C:\Program Files\Orvik\Compiler Integration\ holding the tool, OrvikPkg.dll,
VelPkg.dll and ovcspawn.exe, with the package registered with the IDE. The
tool runs with that directory as its current directory, as the package's
installer runs it. A rebuilt RegOrvikPkg.exe is copied in before each run.

Options:
  --fresh                   throw the machine away and provision a new one
  --installed-version X     (with --fresh) an installed copy of version X of the
                            tool in its own directory (...\Compiler Integration 6.5\),
                            recorded as the package's installer records it
  --installed-version none  (with --fresh) the package not installed at all: no
                            package key, the machine /install starts from
  --root-suffix S           set ENVSDK_ROOTSUFFIX=S for the run; with --fresh (or
                            on first use) the IDE is provisioned under 7.0S, and
                            later runs set it too unless given another suffix
                            (--root-suffix '' for none)
  --answer A                answer for the next window the tool shows (repeatable,
                            in order): ok cancel yes no retry ignore abort, a
                            button id, or driver steps such as click:1001,press:1
                            (see driver.exe --help); windows without an answer
                            get their default button
  --fail devenv=N           devenv.exe ends with exit code N
  --fail orvikpkg[=WHEN]    OrvikPkg.dll's registration fails; WHEN is register,
  --fail velpkg[=WHEN]      unregister or both (the default); the same for VelPkg.dll
  --show-machine            print the whole machine (keys, values, files) and stop
  -h, --help                this text

Arguments after the options are joined with single blanks into the tool's
command line, each one that holds a blank or a tab, or is empty, put in
double quotes; one that holds a double quote is taken exactly as written, so
'"-O2 -W"' reaches the tool with its quotes. Exit status: the tool's exit code (its low 8 bits: -1 is 255), 125
when the run itself failed, 2 for a usage error.

Where things are: the machine lives in build/sandbox (REGORVIK_SANDBOX_DIR),
its Wine prefix in build/sandbox/prefix, separate from the tests' prefix; the
Windows build is build/win64 (REGORVIK_SANDBOX_BUILD_DIR).
EOF
}

fail_usage() {
  echo "sandbox.sh: $*" >&2
  echo "Try 'scripts/sandbox.sh --help'." >&2
  exit 2
}

fresh=false
installed=""
suffix=""
suffix_given=false
show_machine=false
answers=()
switches=()
while (($#)); do
  case $1 in
    -h | --help) usage; exit 0 ;;
    --fresh) fresh=true ;;
    --installed-version)
      (($# >= 2)) || fail_usage "--installed-version wants a version or none"
      installed=$2; shift ;;
    --root-suffix)
      (($# >= 2)) || fail_usage "--root-suffix wants a suffix (Exp, for instance)"
      suffix=$2; suffix_given=true; shift ;;
    --answer)
      (($# >= 2)) || fail_usage "--answer wants an answer (ok, no, click:1001,press:1, ...)"
      answers+=(--answer "$2"); shift ;;
    --fail)
      (($# >= 2)) || fail_usage "--fail wants devenv=N, orvikpkg or velpkg"
      case $2 in
        devenv=?*) switches+=("TESTBED_DEVENV_EXIT=${2#devenv=}") ;;
        orvikpkg | velpkg | orvikpkg=both | velpkg=both) dll=${2%%=*}; switches+=("TESTBED_${dll^^}_FAIL=1") ;;
        orvikpkg=register | orvikpkg=unregister | velpkg=register | velpkg=unregister)
          dll=${2%%=*}; switches+=("TESTBED_${dll^^}_FAIL=${2#*=}") ;;
        *) fail_usage "--fail $2: expected devenv=N, orvikpkg[=register|unregister] or velpkg[=...]" ;;
      esac
      shift ;;
    --show-machine) show_machine=true ;;
    --) shift; break ;;
    --*) fail_usage "unknown option $1 (the tool's own arguments may follow --)" ;;
    *) break ;;
  esac
  shift
done
tool_arguments=("$@")
if [[ -n $installed ]] && ! $fresh && [[ -f $sandbox/machine.env ]]; then
  fail_usage "--installed-version changes the machine: add --fresh (which throws the current one away)"
fi

"$repo/scripts/install-deps.sh"

mkdir -p "$sandbox"
# One run at a time: the build and the machine are shared by every run.
exec 8>"$sandbox/.lock"
flock 8

# Build what the sandbox uses, no more; ninja makes a repeat run cost nothing.
if [[ ! -f $build/build.ninja ]]; then
  echo "Building the Windows programs in $build (the first time takes a few minutes)..."
  if ! cmake --preset win64 -B "$build" >"$sandbox/configure.log" 2>&1; then
    cat "$sandbox/configure.log" >&2
    exit 1
  fi
fi
if ! cmake --build "$build" --target RegOrvikPkg testbed driver provision snapshot >"$sandbox/build.log" 2>&1; then
  tail -n 40 "$sandbox/build.log" >&2
  echo "sandbox.sh: the build failed (full log: $sandbox/build.log)" >&2
  exit 1
fi

export REGORVIK_WINEPREFIX=$sandbox/prefix
[[ -d $REGORVIK_WINEPREFIX ]] || echo "Creating the sandbox's Wine prefix (once, a few seconds)..."
# Wine's server and services outlive the run by minutes: none of them may
# inherit the lock, or the next run would wait for them.
# shellcheck source=scripts/wine-env.sh
source "$repo/scripts/wine-env.sh" 8>&-
run_wine() { wine "$@" 8>&-; }

bench=$build/bench
build_for_wine="Z:${build//\//\\}"
export REGORVIK_BUILD_DIR=$build_for_wine
machine_file=$sandbox/machine.env
# shellcheck disable=SC1003 # a Windows path, its last backslash included
package_dir='C:\Program Files\Orvik\Compiler Integration\'
drive_c=$WINEPREFIX/drive_c
run_log_unix=$drive_c/RegOrvikBench/testbed.log

describe_machine() {
  local ide_key="HKLM\\Software\\Microsoft\\VisualStudio\\7.0$machine_suffix"
  case $machine_installed in
    "") echo "the IDE under $ide_key; the package registered with it, no installed version recorded (/install stops there: try --fresh --installed-version none, or a version)" ;;
    none) echo "the IDE under $ide_key; the package not installed (no package key)" ;;
    *) echo "the IDE under $ide_key; version $machine_installed of the tool installed in C:\\Program Files\\Orvik\\Compiler Integration 6.5\\" ;;
  esac
}

provision() {
  local options=(--suffix "$suffix")
  case $installed in
    "") options+=(--registered) ;;
    none) ;;
    *) options+=(--installed "$installed" --older-copy) ;;
  esac
  if ! run_wine "$bench/provision.exe" "${options[@]}" >"$sandbox/provision.log" 2>&1; then
    cat "$sandbox/provision.log" >&2
    echo "sandbox.sh: provisioning the machine failed" >&2
    exit 1
  fi
  printf 'machine_suffix=%q\nmachine_installed=%q\n' "$suffix" "$installed" >"$machine_file"
}

machine_suffix=""
machine_installed=""
if $fresh || [[ ! -f $machine_file ]]; then
  provision
  # shellcheck source=/dev/null
  source "$machine_file"
  echo "New sandbox machine: $(describe_machine)."
else
  # shellcheck source=/dev/null
  source "$machine_file"
  # A rebuilt tool takes the place of the one the machine was given.
  if ! cmp -s "$build/src/RegOrvikPkg.exe" "$drive_c/Program Files/Orvik/Compiler Integration/RegOrvikPkg.exe"; then
    cp "$build/src/RegOrvikPkg.exe" "$drive_c/Program Files/Orvik/Compiler Integration/RegOrvikPkg.exe"
    echo "(copied the rebuilt RegOrvikPkg.exe into the sandbox)"
  fi
  echo "Sandbox machine: $(describe_machine)."
fi
if $suffix_given && [[ $suffix != "$machine_suffix" ]]; then
  echo "Note: the IDE of this machine is under 7.0$machine_suffix, and ENVSDK_ROOTSUFFIX=$suffix points the tool at 7.0$suffix; use --fresh --root-suffix $suffix for an IDE there."
fi
if ! $suffix_given; then suffix=$machine_suffix; fi

if $show_machine; then
  run_wine "$bench/snapshot.exe"
  exit 0
fi

# The tool's command line: its quoted path, then the arguments. The tool
# splits it with its own rules, so quotes the user wrote are left alone.
command_line="\"${package_dir}RegOrvikPkg.exe\""
for argument in "${tool_arguments[@]}"; do
  if [[ $argument != *\"* && ( -z $argument || $argument == *[[:blank:]]* ) ]]; then argument="\"$argument\""; fi
  command_line+=" $argument"
done
printf '%s\n' "$command_line" >"$sandbox/command-line.txt"

environment=(--env 'TESTBED_LOG=C:\RegOrvikBench\testbed.log')
if [[ -n $suffix ]]; then environment+=(--env "ENVSDK_ROOTSUFFIX=$suffix"); else environment+=(--unset ENVSDK_ROOTSUFFIX); fi
for name in TESTBED_DEVENV_EXIT TESTBED_ORVIKPKG_FAIL TESTBED_VELPKG_FAIL; do
  value=""
  for switch in "${switches[@]+"${switches[@]}"}"; do [[ $switch == "$name="* ]] && value=${switch#*=}; done
  if [[ -n $value ]]; then environment+=(--env "$name=$value"); else environment+=(--unset "$name"); fi
done

run_wine "$bench/snapshot.exe" >"$sandbox/before.txt"
rm -f "$run_log_unix"

echo
echo "Running in ${package_dir}:"
echo "  $command_line"
[[ -z $suffix ]] || echo "  with ENVSDK_ROOTSUFFIX=$suffix"
for switch in "${switches[@]+"${switches[@]}"}"; do echo "  with $switch"; done
echo
echo "What the tool showed:"
set +e
run_wine "$bench/driver.exe" --cwd "$package_dir" "${environment[@]}" "${answers[@]+"${answers[@]}"}" \
  --cmdfile "Z:${sandbox//\//\\}\\command-line.txt" >"$sandbox/transcript.txt" 2>&1
status=$?
set -e
# The driver's transcript: the windows first, then how the run ended. Its
# first line repeats the command line, which is shown above already.
ending='^(exit code|the program did not end|FAILED|note|time)'
grep -vE "$ending|^command line: " "$sandbox/transcript.txt" | sed 's/^/  /'
echo
echo "How it ended:"
grep -E "$ending" "$sandbox/transcript.txt" | sed 's/^/  /'

run_wine "$bench/snapshot.exe" >"$sandbox/after.txt"

echo
echo "What changed:"
python3 - "$sandbox/before.txt" "$sandbox/after.txt" "$run_log_unix" "$build/testbed" <<'PYTHON'
import os
import re
import sys

before_path, after_path, log_path, testbed = sys.argv[1:5]


def parse(path):
    """A snapshot: its keys in order with their values, and its files with size and hash."""
    keys, files = {}, {}
    key = None
    with open(path, encoding="latin-1") as snapshot:
        for line in snapshot.read().splitlines():
            if line.startswith("[") and line.endswith("]"):
                key = line[1:-1]
                keys[key] = {}
            elif line.startswith("  ") and key is not None:
                name, _, value = line[2:].partition(" = ")
                keys[key][name] = value
            else:
                key = None
                match = re.match(r"(.*)  (\d+) bytes  fnv1a64 ([0-9a-f]+)$", line)
                if match:
                    files[match.group(1)] = (int(match.group(2)), match.group(3))
    return keys, files


def readable(value):
    """A value as the snapshot gives it exactly, said the way a person reads it."""
    match = re.match(r"REG_DWORD 0x([0-9A-F]{8})$", value)
    if match:
        number = int(match.group(1), 16)
        return "REG_DWORD %d" % number if number < 10 else "REG_DWORD 0x%08X (%d)" % (number, number)
    match = re.match(r'(REG_SZ|REG_EXPAND_SZ), (\d+) bytes: "(.*)"$', value)
    if match:
        kind, size, text = match.groups()
        if size == "0":
            return kind + ", no data"
        if text.endswith("\\x00") and "\\x00" not in text[:-4]:
            return '%s "%s"' % (kind, text[:-4])
        if "\\x00" not in text:
            return '%s "%s" (%s bytes, no terminating zero)' % (kind, text, size)
    return value


def name_of(name):
    return "(default)" if name == "@" else name.strip('"')


def fnv1a64(path):
    digest = 14695981039346656037
    with open(path, "rb") as data:
        for byte in data.read():
            digest = ((digest ^ byte) * 1099511628211) & 0xFFFFFFFFFFFFFFFF
    return "%016x" % digest


known = {}
for file_name, label in (("vcspawn.exe", "the IDE's own spawner"), ("ovcspawn.exe", "the vendor's spawner"),
                         ("ovcspawn_caps.exe", "the vendor's spawner, marker in capitals")):
    path = os.path.join(testbed, file_name)
    if os.path.exists(path):
        known[fnv1a64(path)] = label

before_keys, before_files = parse(before_path)
after_keys, after_files = parse(after_path)


def content(path, files, elsewhere=None):
    """What a file holds: a program we know, else the same bytes as another file, else its size."""
    size, digest = files[path]
    if digest in known:
        return known[digest]
    for other, (_, other_digest) in (elsewhere or {}).items():
        if other != path and other_digest == digest:
            return "the same bytes as " + other
    return "%d bytes" % size


changes = []
for key, values in after_keys.items():
    if key not in before_keys:
        changes.append("+ %s  (new key)" % key)
        changes.extend("      %s = %s" % (name_of(n), readable(v)) for n, v in values.items())
        continue
    old = before_keys[key]
    for name, value in values.items():
        if name not in old:
            changes.append("+ %s  %s = %s" % (key, name_of(name), readable(value)))
        elif old[name] != value:
            changes.append("~ %s  %s = %s (was %s)" % (key, name_of(name), readable(value), readable(old[name])))
    changes.extend("- %s  %s (was %s)" % (key, name_of(n), readable(v)) for n, v in old.items() if n not in values)
for key, values in before_keys.items():
    if key not in after_keys:
        changes.append("- %s  (key removed)" % key)
        changes.extend("      %s was %s" % (name_of(n), readable(v)) for n, v in values.items())

for path in after_files:
    if path not in before_files:
        changes.append("+ %s  created: %s" % (path, content(path, after_files, after_files)))
    elif before_files[path] != after_files[path]:
        changes.append("~ %s  replaced: now %s (was %s)"
                       % (path, content(path, after_files, after_files), content(path, before_files)))
changes.extend("- %s  removed (it was %s)" % (path, content(path, before_files))
               for path in before_files if path not in after_files)

print("\n".join("  " + change for change in changes) if changes else "  nothing")

print()
print("Programs the tool ran (the testbed's run log; regsvr32.exe and copies of the tool itself write none):")
lines = []
if os.path.exists(log_path):
    with open(log_path, encoding="latin-1", newline="") as log:
        lines = [line for line in log.read().split("\r\n") if line]
for line in lines:
    module, directory, text = (line.split("\t", 2) + ["", ""])[:3]
    if module.lower().endswith(".dll"):
        print("  %s of %s (called by regsvr32.exe)" % (text, module))
    else:
        print("  %s" % text)
    print("      in %s" % directory)
if not lines:
    print("  none")
PYTHON

echo
echo "The machine stays as it is now: run again to go on from here, --fresh to start over,"
echo "--show-machine to see all of it."
exit "$status"
