#!/usr/bin/env bash
# Installs what building and testing RegOrvikPkg need on a fresh Debian 12
# machine. Idempotent: when everything is already there it prints nothing and
# touches nothing, so it can open every CI run.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64   # pulls in both the -posix and the -win32 compilers
  g++-mingw-w64-i686
  wine
  wine64
  xvfb
  python3
  cmake
  ninja-build
  googletest             # the sources in /usr/src/googletest, built for Windows too
  libgtest-dev
  clang
  wixl                   # the example installer: wixl and msibuild
  msitools
)

installed() {
  [[ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" == installed ]]
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0

as_root=()
if ((EUID != 0)); then
  command -v sudo >/dev/null || { echo "install-deps.sh: run as root (missing: ${missing[*]})" >&2; exit 1; }
  as_root=(sudo)
fi

echo "install-deps.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# A mirror that cannot be reached must not stop us: the lists that did
# arrive are often enough for the packages we need.
"${as_root[@]}" apt-get update -qq || echo "install-deps.sh: apt-get update failed in part; going on" >&2
"${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
