#!/usr/bin/env bash
# check_signature.sh PROGRAM.exe WORK_FOLDER WINDRES: signs a copy of the program as tools/release
# --sign does, with a certificate made here, and checks it as whoever downloads the release would.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$(realpath "$1") windres=$3
rm -rf "$2" && mkdir -p "$2" && cd "$2"
export PM_SIGN_PASSWORD="throwaway password"
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj "/CN=Signature test" \
    -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -out cert.pfx -passout env:PM_SIGN_PASSWORD
cp "$exe" signed.exe && "$here/../../tools/sign" cert.pfx signed.exe
# One byte changed after signing, in the middle of the program's code and data.
at=$(($(stat -c %s "$exe") / 2)) && cp signed.exe tampered.exe
printf "\\$(printf %03o $(($(od -An -tu1 -j "$at" -N1 signed.exe) ^ 1)))" |
    dd of=tampered.exe bs=1 seek="$at" conv=notrunc status=none
verifies() { osslsigncode verify -in "$1" -CAfile cert.pem | tee log && grep -q "algorithm *: SHA256" log; }
digest_mismatch() { ! osslsigncode verify -in "$1" -CAfile cert.pem | tee log && grep -q MISMATCH log; }
unsigns_to_program() { osslsigncode remove-signature -in "$1" -out unsigned.exe && cmp unsigned.exe "$exe"; }
# The resources windres reads back (resources_embedded checks them in the unsigned program) are untouched.
same_resources() {
    "$windres" -i "$exe" -J coff -O rc >unsigned.rc && "$windres" -i "$1" -J coff -O rc >signed.rc &&
        grep -q "^1 VERSIONINFO" signed.rc && grep -q "^1 24 " signed.rc && cmp unsigned.rc signed.rc
}
failures=0
check() { if "$@"; then echo "ok: $1 $2"; else echo "FAILED: $*" && failures=$((failures + 1)); fi; }
check verifies signed.exe
check digest_mismatch tampered.exe
check unsigns_to_program signed.exe
check same_resources signed.exe
exit "$failures"
