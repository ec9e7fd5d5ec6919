#!/usr/bin/env bash
# Builds the release, the i686 RegOrvikPkg.exe (stripped, for Windows XP SP3
# on), and packs it with the README and a SHA256SUMS file into
# <build>/RegOrvikPkg-<version>.zip. Builds of one commit give the same bytes:
# no time stamp in the program, and every zip entry dated 1980-01-01.
#
#   scripts/release.sh [BUILD_DIR]      (default: build/release-x86)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$repo/build/release-x86}")
cd "$repo"
cmake --preset release-x86 -B "$build" >/dev/null
cmake --build "$build" --target RegOrvikPkg >/dev/null
version=$(sed -n 's/^project(RegOrvikPkg VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

python3 - "$build/src/RegOrvikPkg.exe" README.md "$build/RegOrvikPkg-$version.zip" <<'PYTHON'
import hashlib, sys, zipfile
exe, readme, zip_path = sys.argv[1:]
files = [("RegOrvikPkg.exe", open(exe, "rb").read()), ("README.md", open(readme, "rb").read())]
sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files)
files.append(("SHA256SUMS", sums.encode()))
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as archive:
    for name, data in files:
        entry = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
        entry.external_attr = 0o644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, data)
print(f"{zip_path}: RegOrvikPkg.exe {len(files[0][1])} bytes, "
      f"zip sha256 {hashlib.sha256(open(zip_path, 'rb').read()).hexdigest()}")
PYTHON
