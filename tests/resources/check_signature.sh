#!/usr/bin/env bash
# Signs a copy of the program as tools/release --sign does, with a certificate made here for the test, and
# checks it as whoever downloads the release would:
#
#   check_signature.sh PROGRAM.exe WORK_FOLDER WINDRES ICON_DIR
set -euo pipefail
exe=$(realpath "$1")
work=$2
windres=$3
icon_dir=$(realpath "$4")
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
cd "$work"

export PM_SIGN_PASSWORD="throwaway password"
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj "/CN=Signature test" \
    -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -out cert.pfx -passout env:PM_SIGN_PASSWORD
cp "$exe" signed.exe
"$here/../../tools/sign" cert.pfx signed.exe

# One byte of the program changed after signing, in the middle of its code and data.
cp signed.exe tampered.exe
at=$(($(stat -c %s "$exe") / 2))
byte=$(od -An -tu1 -j "$at" -N1 tampered.exe)
printf "\\$(printf %03o $((byte ^ 1)))" | dd of=tampered.exe bs=1 seek="$at" conv=notrunc status=none

failures=0
# check EXPECTED DESCRIPTION COMMAND...: the command must succeed (0) or fail (1), and says why if not.
check() {
    local expected=$1 what=$2 status=0
    shift 2
    "$@" >out.log 2>&1 || status=1
    if [ "$status" -eq "$expected" ]; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        sed 's/^/    /' out.log
        failures=$((failures + 1))
    fi
}
verify() { osslsigncode verify -in "$1" -CAfile cert.pem | tee verify.log && grep -q "digest algorithm *: SHA256" verify.log; }
unsigned_again() { osslsigncode remove-signature -in signed.exe -out unsigned.exe && cmp unsigned.exe "$exe"; }
check 0 "the signed copy verifies against its certificate, with SHA-256" verify signed.exe
check 1 "a copy with one byte changed after signing does not verify" verify tampered.exe
check 0 "removing the signature gives back the unsigned program's bytes" unsigned_again
check 0 "the signed copy keeps its icons, version block and manifest" \
    cmake -DCHECK=embedded -DEXE=signed.exe -DWINDRES="$windres" -DICON_DIR="$icon_dir" \
          -P "$here/check_resources.cmake"
exit "$failures"
