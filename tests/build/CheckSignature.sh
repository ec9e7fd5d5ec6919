#!/usr/bin/env bash
# Signs a release with a throw-away certificate, time-stamped by a throw-away
# RFC 3161 server of its own, and checks it as a user would, with
# `osslsigncode verify` (Wine checks no signatures, so nothing else here would
# notice a broken one): the exe in the zip carries an intact signature by that
# certificate with a time stamp by that server, one changed byte of code
# breaks the signature, and a later run without a certificate packs the
# unsigned program again. Signed or not, SHA256SUMS holds one line for each other file of the
# zip, with its digest, and no other line. Each certificate trusts only
# itself, so the check names it as the one root (-CAfile, -TSA-CAfile).
#
#   CheckSignature.sh RELEASE_SCRIPT BUILD_DIR
set -uo pipefail
release=$1 build=$2 signer="RegOrvikPkg throw-away test signer" stamper="RegOrvikPkg throw-away time-stamp server"
# Blanks and shell characters: the password must reach osslsigncode as it is.
password="two  words, a \$HOME, a * and a 'quote'"
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
faults=0
fault() { echo "$*" >&2; faults=$((faults + 1)); }

# A self-signed certificate for one use: $work/$1.pem, its key $work/$1.key.
certify() {
  openssl req -x509 -newkey rsa:2048 -sha256 -nodes -days 2 -subj "/CN=$2" \
    -addext "extendedKeyUsage=critical,$3" -keyout "$work/$1.key" -out "$work/$1.pem" 2>/dev/null
}
certify signer "$signer" codeSigning && certify stamper "$stamper" timeStamping &&
  openssl pkcs12 -export -inkey "$work/signer.key" -in "$work/signer.pem" -out "$work/signer.pfx" \
    -passout "pass:$password" || { echo "openssl could not make the certificates" >&2; exit 1; }

# The time-stamp server: RFC 3161 over HTTP on a free local port, each query
# answered by `openssl ts -reply`. It is stopped when this script ends, and
# stops by itself once the script is gone, however it ended.
cat >"$work/tsa.cnf" <<CONFIG
[tsa]
default_tsa = tsa
serial = $work/serial
signer_cert = $work/stamper.pem
signer_key = $work/stamper.key
default_policy = 1.2.3.4.1
signer_digest = sha256
digests = sha256
CONFIG
python3 - "$work/tsa.cnf" >"$work/port" <<'PYTHON' &
import http.server, os, subprocess, sys
class Stamp(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        reply = subprocess.run(["openssl", "ts", "-reply", "-config", sys.argv[1], "-queryfile", "/dev/stdin",
                                "-out", "/dev/stdout"], input=query, capture_output=True).stdout
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)
    def log_message(self, *args): pass
server, parent = http.server.HTTPServer(("127.0.0.1", 0), Stamp), os.getppid()
server.timeout = 1
print(server.server_address[1], flush=True)
while os.getppid() == parent:
    server.handle_request()
PYTHON
server=$!
trap 'kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
for _ in {1..100}; do [[ -s $work/port ]] && break; sleep 0.1; done
[[ -s $work/port ]] || { echo "the time-stamp server did not start" >&2; exit 1; }

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
# A proxy of the caller's cannot reach the server: osslsigncode goes to it directly.
pack signed REGORVIK_SIGN_PFX="$work/signer.pfx" REGORVIK_SIGN_PASSWORD="$password" \
  REGORVIK_SIGN_TIMESTAMP="http://127.0.0.1:$(<"$work/port")" no_proxy=127.0.0.1

report=$(osslsigncode verify -CAfile "$work/signer.pem" -TSA-CAfile "$work/stamper.pem" -in "$work/signed/RegOrvikPkg.exe" 2>&1)
grep -q '^Signature verification: ok' <<<"$report" || fault "osslsigncode verify finds no intact signature:"$'\n'"$report"
grep -A3 'Signing certificate chain verified using' <<<"$report" | grep -q "Subject: /CN=$signer" ||
  fault "the signature does not name $signer:"$'\n'"$report"
grep -q '^Timestamp Server Signature verification: ok' <<<"$report" &&
  grep -A3 'Timestamp verified using' <<<"$report" | grep -q "Subject: /CN=$stamper" ||
  fault "the signature carries no time stamp by $stamper:"$'\n'"$report"
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

((faults == 0)) && echo "$build: the release is signed by $signer, time-stamped by $stamper, and its signature holds"
exit $((faults != 0))
