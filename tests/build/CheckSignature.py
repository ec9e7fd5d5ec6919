#!/usr/bin/env python3
"""Signs a release with a throw-away certificate and checks the signature the
way a user would, with `osslsigncode verify` (Wine checks no signatures, so
nothing else here would notice a broken one):

- the exe in the zip carries an intact Authenticode signature by that
  certificate, time-stamped by the RFC 3161 server it was given (one started
  here, answering with `openssl ts`), and SHA256SUMS holds the signed exe's
  digest;
- with the signature taken off, it is the unsigned program of the same build;
- one changed byte of code breaks the signature;
- a later run without a certificate packs the unsigned program again.

The certificates trust nobody but themselves, so the verification names them
as its only roots (-CAfile, -TSA-CAfile).

  CheckSignature.py RELEASE_SCRIPT BUILD_DIR
"""

import hashlib
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import zipfile

SIGNER = "RegOrvikPkg throw-away test signer"
AUTHORITY = "RegOrvikPkg throw-away time-stamp authority"
# Blanks and shell characters: the password must reach osslsigncode as it is.
PASSWORD = "two  words, a $HOME, a * and a 'quote'"

TSA_CONFIG = """
[ tsa ]
default_tsa = tsa_section
[ tsa_section ]
serial = {dir}/serial
signer_cert = {dir}/authority.pem
certs = {dir}/authority.pem
signer_key = {dir}/authority-key.pem
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_alg = sha256
"""


def read(path):
    with open(path, "rb") as file:
        return file.read()


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def make_certificate(directory, name, subject, usage):
    made = run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-sha256", "-nodes", "-days", "2",
               "-subj", f"/CN={subject}", "-addext", f"extendedKeyUsage=critical,{usage}",
               "-addext", "keyUsage=critical,digitalSignature",
               "-keyout", f"{directory}/{name}-key.pem", "-out", f"{directory}/{name}.pem")
    if made.returncode != 0:
        sys.exit(f"openssl req failed: {made.stderr}")


def start_time_stamp_authority(directory):
    """An RFC 3161 server on a free local port; returns it and its URL."""
    with open(f"{directory}/tsa.cnf", "w") as config:
        config.write(TSA_CONFIG.format(dir=directory))
    with open(f"{directory}/serial", "w") as serial:
        serial.write("01\n")
    lock = threading.Lock()

    class TimeStamper(http.server.BaseHTTPRequestHandler):
        def do_POST(self):
            query = self.rfile.read(int(self.headers["Content-Length"]))
            with lock:
                with open(f"{directory}/query.tsq", "wb") as file:
                    file.write(query)
                run("openssl", "ts", "-reply", "-config", f"{directory}/tsa.cnf",
                    "-queryfile", f"{directory}/query.tsq", "-out", f"{directory}/reply.tsr")
                reply = read(f"{directory}/reply.tsr")
            self.send_response(200)
            self.send_header("Content-Type", "application/timestamp-reply")
            self.send_header("Content-Length", str(len(reply)))
            self.end_headers()
            self.wfile.write(reply)

        def log_message(self, *_):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), TimeStamper)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


def release(script, build, environment):
    made = run("bash", script, build, env=environment)
    if made.returncode != 0:
        sys.exit(f"{script} {build} failed:\n{made.stdout}{made.stderr}")
    zips = [name for name in os.listdir(build) if name.startswith("RegOrvikPkg-") and name.endswith(".zip")]
    with zipfile.ZipFile(os.path.join(build, zips[0])) as archive:
        return archive.read("RegOrvikPkg.exe"), archive.read("SHA256SUMS").decode()


def verify(directory, exe):
    with open(f"{directory}/checked.exe", "wb") as file:
        file.write(exe)
    return run("osslsigncode", "verify", "-CAfile", f"{directory}/signer.pem",
               "-TSA-CAfile", f"{directory}/authority.pem", "-in", f"{directory}/checked.exe")


def main():
    script, build = sys.argv[1:]
    faults = []
    with tempfile.TemporaryDirectory() as directory:
        make_certificate(directory, "signer", SIGNER, "codeSigning")
        make_certificate(directory, "authority", AUTHORITY, "timeStamping")
        exported = run("openssl", "pkcs12", "-export", "-inkey", f"{directory}/signer-key.pem",
                       "-in", f"{directory}/signer.pem", "-out", f"{directory}/signer.pfx",
                       "-passout", f"pass:{PASSWORD}")
        if exported.returncode != 0:
            sys.exit(f"openssl pkcs12 failed: {exported.stderr}")
        server, url = start_time_stamp_authority(directory)

        unsigned_environment = {name: value for name, value in os.environ.items()
                                if not name.startswith("REGORVIK_SIGN_") and "proxy" not in name.lower()}
        signing_environment = dict(unsigned_environment, REGORVIK_SIGN_PFX=f"{directory}/signer.pfx",
                                   REGORVIK_SIGN_PASSWORD=PASSWORD, REGORVIK_SIGN_TIMESTAMP=url)
        exe, sums = release(script, build, signing_environment)
        server.shutdown()

        verified = verify(directory, exe)
        report = verified.stdout
        if verified.returncode != 0 or "\nSignature verification: ok" not in report:
            faults.append(f"osslsigncode verify finds no intact signature:\n{report}{verified.stderr}")
        if f"Subject: /CN={SIGNER}" not in report.split("Signing certificate chain verified using:")[-1]:
            faults.append(f"the signature is not by {SIGNER}:\n{report}")
        if "Timestamp Server Signature verification: ok" not in report or f"Issuer: /CN={AUTHORITY}" not in report:
            faults.append(f"the signature carries no time stamp by {AUTHORITY}:\n{report}")

        digest = f"{hashlib.sha256(exe).hexdigest()}  RegOrvikPkg.exe\n"
        if digest not in sums:
            faults.append(f"SHA256SUMS lacks the signed exe's digest {digest.split()[0]}:\n{sums}")

        unsigned = read(f"{build}/src/RegOrvikPkg.exe")
        removed = run("osslsigncode", "remove-signature", "-in", f"{directory}/checked.exe",
                      "-out", f"{directory}/removed.exe")
        if removed.returncode != 0 or read(f"{directory}/removed.exe") != unsigned:
            faults.append("the signed exe without its signature is not the program the build made")

        at = 0x1000  # in .text, which starts at 0x400 and is tens of KB long
        tampered = exe[:at] + bytes([exe[at] ^ 0xFF]) + exe[at + 1:]
        if verify(directory, tampered).returncode == 0:
            faults.append(f"a signed exe with byte {at:#x} changed still verifies")

        exe, sums = release(script, build, unsigned_environment)
        if exe != unsigned or f"{hashlib.sha256(unsigned).hexdigest()}  RegOrvikPkg.exe\n" not in sums:
            faults.append("without a certificate the release does not pack the unsigned program")

    for fault in faults:
        print(fault, file=sys.stderr)
    if not faults:
        print(f"{build}: the release is signed by {SIGNER}, time-stamped, and its signature holds")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
