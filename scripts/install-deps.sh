#!/usr/bin/env bash
# Installs what building and testing RegOrvikPkg need on a fresh Debian 12
# machine, 32-bit Wine beside the 64-bit one included. Idempotent: when
# everything is already there it prints nothing and touches nothing, so it
# can open every CI run.
#
# 32-bit Wine (wine32:i386) runs the release, which is an i686 program. It
# needs the i386 architecture, and on these machines it cannot be had the
# plain way: the security mirror's i386 index is stale, so `apt-get update`
# fails for it, and the amd64 libraries that came from security updates
# then have no i386 twin of the same version, so apt would remove wine64 to
# install wine32. Taking the security source for amd64 only, and below
# bookworm itself, makes both architectures come from bookworm, whose
# versions match. A machine where wine32 cannot be installed still gets
# everything else; scripts/test.sh then fails, saying that the release's
# scenario tables cannot run without it.
set -euo pipefail

packages=(
  g++-mingw-w64-i686     # pulls in both the -posix and the -win32 compilers
  wine
  wine64                 # a 64-bit prefix, as the 64-bit Windows the tool's users have
  xvfb
  python3
  cmake
  ninja-build
  googletest             # the sources in /usr/src/googletest, built for Windows too
  libgtest-dev
  clang
  wixl                   # the example installer: wixl and msibuild
  msitools
  osslsigncode           # signs the release, and checks the signature in a build test
  openssl
)
wine32=(wine32:i386 libgstreamer-plugins-base1.0-0:i386)

installed() {
  [[ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" == installed ]]
}

missing=()
for package in "${packages[@]}" "${wine32[@]}"; do
  installed "$package" || missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0

as_root=()
if ((EUID != 0)); then
  command -v sudo >/dev/null || { echo "install-deps.sh: run as root (missing: ${missing[*]})" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive

# The security source for amd64 only, pinned below bookworm (see above).
sources=/etc/apt/sources.list.d/debian.sources
if ! installed wine32:i386; then
  "${as_root[@]}" dpkg --add-architecture i386
  if [[ -f $sources ]] && ! grep -q '^Architectures:' "$sources"; then
    # A blank line ends a stanza; the stanza of bookworm-security gets the line.
    "${as_root[@]}" awk '/^Suites:.*-security/ { print; print "Architectures: amd64"; next } { print }' "$sources" \
      >"/tmp/regorvik-debian.sources" && "${as_root[@]}" cp /tmp/regorvik-debian.sources "$sources"
  fi
  printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' |
    "${as_root[@]}" tee /etc/apt/preferences.d/regorvik-security-below-bookworm >/dev/null
fi

echo "install-deps.sh: installing ${missing[*]}"
# A mirror that cannot be reached must not stop us: the lists that did
# arrive are often enough for the packages we need.
"${as_root[@]}" apt-get update -qq || echo "install-deps.sh: apt-get update failed in part; going on" >&2
"${as_root[@]}" apt-get install -y -qq "${packages[@]}" >/dev/null
# wine32 last, and never at the cost of the rest: should apt want to remove
# wine64 for it, it is not installed.
if ! installed wine32:i386; then
  if "${as_root[@]}" apt-get install -y -qq --no-install-recommends --no-remove "${wine32[@]}" >/dev/null; then
    echo "install-deps.sh: 32-bit Wine installed"
  else
    echo "install-deps.sh: 32-bit Wine (wine32:i386) could not be installed; the release's scenarios cannot run here" >&2
  fi
fi
