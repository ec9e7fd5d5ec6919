#!/usr/bin/env bash
# Builds the example installer around RegOrvikPkg.exe and the package's
# files: installer/RegOrvikPkg.wxs with wixl, then the rows of
# installer/custom-actions.sql with msibuild (Debian's wixl and msitools),
# the product line's upgrade code and this build's version put into them.
#
#   scripts/build-msi.sh FILES_DIR OUTPUT.msi [VERSION]
#
# FILES_DIR holds RegOrvikPkg.exe, OrvikPkg.dll, VelPkg.dll and ovcspawn.exe.
# VERSION is the product's (default: the project's, from CMakeLists.txt); a
# build replaces an installed one of a lower or the same version.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
(($# == 2 || $# == 3)) || { echo "usage: scripts/build-msi.sh FILES_DIR OUTPUT.msi [VERSION]" >&2; exit 2; }
output=$(realpath -m "$2")
version=${3:-$(sed -n 's/^project(RegOrvikPkg VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")}
cd "$1"  # wixl finds the files relative to the current directory
wixl -D Version="$version" -o "$output" "$repo/installer/RegOrvikPkg.wxs"
upgrade_code=$(msiinfo export "$output" Property | sed -n 's/^UpgradeCode\t//p' | tr -d '\r')
[[ -n $upgrade_code ]] || { echo "build-msi.sh: $output has no UpgradeCode" >&2; exit 1; }
queries=()
while IFS= read -r line; do
  [[ -z $line || $line == --* ]] && continue
  line=${line//@UPGRADECODE@/$upgrade_code}
  queries+=(-q "${line//@VERSION@/$version}")
done <"$repo/installer/custom-actions.sql"
msibuild "$output" "${queries[@]}"
