#!/usr/bin/env bash
# Builds the example installer around RegOrvikPkg.exe and the package's
# files: installer/RegOrvikPkg.wxs with wixl, then the rows of
# installer/custom-actions.sql with msibuild (Debian's wixl and msitools).
#
#   scripts/build-msi.sh FILES_DIR OUTPUT.msi [VERSION]
#
# FILES_DIR holds RegOrvikPkg.exe, OrvikPkg.dll, VelPkg.dll and ovcspawn.exe.
# VERSION is the product's (default: the project's, from CMakeLists.txt); a
# higher one upgrades an installed lower one.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
(($# == 2 || $# == 3)) || { echo "usage: scripts/build-msi.sh FILES_DIR OUTPUT.msi [VERSION]" >&2; exit 2; }
output=$(realpath -m "$2")
version=${3:-$(sed -n 's/^project(RegOrvikPkg VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")}
cd "$1"  # wixl finds the files relative to the current directory
wixl -D Version="$version" -o "$output" "$repo/installer/RegOrvikPkg.wxs"
queries=()
while IFS= read -r line; do
  [[ -z $line || $line == --* ]] || queries+=(-q "$line")
done <"$repo/installer/custom-actions.sql"
msibuild "$output" "${queries[@]}"
