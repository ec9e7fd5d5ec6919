#!/usr/bin/env bash
# Signs a release with a throw-away certificate and checks it as a user
# would, with `osslsigncode verify` (Wine checks no signatures, so nothing
# else here would notice a broken one): the exe in the zip carries an intact
# signature by that certificate, one changed byte of code breaks the
# signature, and a later run without a certificate packs the unsigned program
# again. Signed or not, SHA256SUMS holds one line for each other file of the
# zip, with its digest, and no other line. The certificate trusts only
# itself, so the check names it as the one root (-CAfile).
#
#   CheckSignature.sh RELEASE_SCRIPT BUILD_DIR
set -uo pipefail
release=$1 build=$2 signer="RegOrvikPkg throw-away test signer"
# Blanks and shell characters: the password must reach osslsigncode as it is.
password="two  words, a \$HOME, a * and a 'quote'"
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
faults=0
fault() { echo "$*" >&2; faults=$((faults + 1)); }

openssl req -x509 -newkey rsa:2048 -sha256 -nodes -days 2 -subj "/CN=$signer" \
  -addext "extendedKeyUsage=critical,codeSigning" -keyout "$work/key.pem" -out "$work/signer.pem" 2>/dev/null &&
  openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/signer.pem" -out "$work/signer.pfx" \
    -passout "pass:$password" || { echo "openssl could not make the certificate" >&2; exit 1; }

# Packs the release (with the signing variables given) and unpacks its zip into $work/$1.
pack() {
  local into=$work/$1
  shift
  env -u REGORVIK_SIGN_PFX -u REGORVIK_SIGN_PASSWORD -u REGORVIK_SIGN_TIMESTAMP "$@" bash "$release" "$build" >/dev/null ||
    { echo "$release $build failed" >&2; exit 1; }
  mkdir -p "$into" && (cd "$into" && cmake -E tar xf "$build"/RegOrvikPkg-*.zip)
}
# Whether SHA256SUMS in the unpacked zip $work/$1 holds exactly the lines of its other files.
sums_hold() {
  (cd "$work/$1" && sha256sum --quiet --strict -c SHA256SUMS &&
    diff <(LC_ALL=C ls -A | grep -vx SHA256SUMS) <(sed 's/^[0-9a-f]\{64\}  //' SHA256SUMS | LC_ALL=C sort)) >&2
}
pack signed REGORVIK_SIGN_PFX="$work/signer.pfx" REGORVIK_SIGN_PASSWORD="$password"

report=$(osslsigncode verify -CAfile "$work/signer.pem" -in "$work/signed/RegOrvikPkg.exe" 2>&1)
grep -q '^Signature verification: ok' <<<"$report" || fault "osslsigncode verify finds no intact signature:"$'\n'"$report"
grep -A3 'Signing certificate chain verified using' <<<"$report" | grep -q "Subject: /CN=$signer" ||
  fault "the signature does not name $signer:"$'\n'"$report"
sums_hold signed || fault "SHA256SUMS of the signed release does not hold exactly the digests of its files"

# One byte of code changed (.text begins at 0x400 and runs for tens of KB).
cp "$work/signed/RegOrvikPkg.exe" "$work/tampered.exe"
printf '\xCC' | dd of="$work/tampered.exe" bs=1 seek=4096 conv=notrunc status=none
osslsigncode verify -CAfile "$work/signer.pem" -in "$work/tampered.exe" >/dev/null 2>&1 &&
  fault "a signed exe with a byte of code changed still verifies"

pack unsigned
cmp -s "$work/unsigned/RegOrvikPkg.exe" "$build/src/RegOrvikPkg.exe" ||
  fault "without a certificate the release does not pack the unsigned program"
sums_hold unsigned || fault "SHA256SUMS of the unsigned release does not hold exactly the digests of its files"

((faults == 0)) && echo "$build: the release is signed by $signer, and its signature holds"
exit $((faults != 0))
