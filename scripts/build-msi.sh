#!/usr/bin/env bash
# Builds the example installer around RegOrvikPkg.exe and the package's
# files: installer/RegOrvikPkg.wxs with wixl, then the rows of
# installer/custom-actions.sql with msibuild (Debian's wixl and msitools).
#
#   scripts/build-msi.sh FILES_DIR OUTPUT.msi
#
# FILES_DIR holds RegOrvikPkg.exe, OrvikPkg.dll, VelPkg.dll and ovcspawn.exe.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
(($# == 2)) || { echo "usage: scripts/build-msi.sh FILES_DIR OUTPUT.msi" >&2; exit 2; }
output=$(realpath -m "$2")
cd "$1"  # wixl finds the files relative to the current directory
wixl -o "$output" "$repo/installer/RegOrvikPkg.wxs"
queries=()
while IFS= read -r line; do
  [[ -z $line || $line == --* ]] || queries+=(-q "$line")
done <"$repo/installer/custom-actions.sql"
msibuild "$output" "${queries[@]}"
