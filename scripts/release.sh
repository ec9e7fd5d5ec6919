#!/usr/bin/env bash
# Builds the release, the i686 RegOrvikPkg.exe (stripped, for Windows XP SP3
# on), signs it when given a certificate, and packs it with the README and a
# SHA256SUMS file into <build>/RegOrvikPkg-<version>.zip.
#
#   scripts/release.sh [BUILD_DIR]      (default: build/release-x86)
#
# Signing (Authenticode, SHA-256, with osslsigncode), when REGORVIK_SIGN_PFX
# names a PKCS#12 file holding the code-signing certificate and its key:
#   REGORVIK_SIGN_PASSWORD    the file's password (empty when unset)
#   REGORVIK_SIGN_TIMESTAMP   an RFC 3161 time-stamp server's URL (optional):
#                             the signature then stays valid after the
#                             certificate expires
# The zip then holds the signed exe (also kept as <build>/signed/RegOrvikPkg.exe)
# and SHA256SUMS its digest. A signature holds the time it was made, so
# signed builds differ; unsigned builds of one commit give the same bytes: no
# time stamp in the program, and every zip entry dated 1980-01-01.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$repo/build/release-x86}")
cd "$repo"
version=$(sed -n 's/^project(RegOrvikPkg VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip=$build/RegOrvikPkg-$version.zip
# A run that fails leaves no zip behind that could pass for its result.
rm -f "$zip"

cmake --preset release-x86 -B "$build" >/dev/null
cmake --build "$build" --target RegOrvikPkg >/dev/null
exe=$build/src/RegOrvikPkg.exe

if [[ -n ${REGORVIK_SIGN_PFX:-} ]]; then
  [[ -r $REGORVIK_SIGN_PFX ]] || { echo "release.sh: cannot read REGORVIK_SIGN_PFX=$REGORVIK_SIGN_PFX" >&2; exit 1; }
  timestamp=()
  [[ -n ${REGORVIK_SIGN_TIMESTAMP:-} ]] && timestamp=(-ts "$REGORVIK_SIGN_TIMESTAMP")
  signed=$build/signed/RegOrvikPkg.exe
  mkdir -p "$(dirname "$signed")"
  rm -f "$signed"
  # The password goes through a pipe, not the command line, where any user
  # of the machine could read it.
  osslsigncode sign -pkcs12 "$REGORVIK_SIGN_PFX" -readpass <(printf '%s' "${REGORVIK_SIGN_PASSWORD:-}") \
    -h sha256 -n "Orvik Package Registration Utility" "${timestamp[@]}" \
    -in "$exe" -out "$signed" >/dev/null ||
    { echo "release.sh: osslsigncode could not sign the program with $REGORVIK_SIGN_PFX" >&2; exit 1; }
  exe=$signed
fi

python3 - "$exe" README.md "$zip" "${signed:+signed}" <<'PYTHON'
import hashlib, sys, zipfile
exe, readme, zip_path, signed = sys.argv[1:]
files = [("RegOrvikPkg.exe", open(exe, "rb").read()), ("README.md", open(readme, "rb").read())]
sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files)
files.append(("SHA256SUMS", sums.encode()))
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as archive:
    for name, data in files:
        entry = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
        entry.external_attr = 0o644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, data)
print(f"{zip_path}: RegOrvikPkg.exe {len(files[0][1])} bytes, {signed or 'unsigned'}, "
      f"zip sha256 {hashlib.sha256(open(zip_path, 'rb').read()).hexdigest()}")
PYTHON
