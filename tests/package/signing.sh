#!/usr/bin/env bash
# tools/sign with a throwaway CA and code-signing certificate: both binaries verify against the
# CA, the zip and SHA256SUMS are made again from the signed files, a changed byte fails the
# check, and removing the signatures gives the built bytes back.
#   signing.sh SOURCE BUILD NAME WORK
set -euo pipefail
source=$1 build=$2 name=$3 work=$4
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-1700000000} # any time will do; git may be absent
rm -rf "$work"
mkdir -p "$work/build"
cd "$work"

openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
    -subj "/CN=Keyvane throwaway CA" -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
    -subj "/CN=Keyvane throwaway signer" 2>/dev/null
printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
    -extfile signer.ext -out signer.pem 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.pem -out signer.pfx -passout pass:throwaway

release=$work/build/release
cmake --install "$build" --prefix "$release" >/dev/null
"$source/tools/release-zip" "$release" "$name" >/dev/null
KEYVANE_SIGN_PASSWORD=throwaway KEYVANE_BUILD=$work/build "$source/tools/sign" signer.pfx >sign.log
grep -q "No timestamp" sign.log || {
    cat sign.log
    echo "no word of the missing timestamp" >&2
    exit 1
}

mkdir unpacked
(cd unpacked && cmake -E tar xf "$release/$name.zip")
(cd "$release" && sha256sum --quiet -c SHA256SUMS)
for binary in Keyvane.exe Chimebox.dll; do
    signed=$release/Keyvane/$binary
    osslsigncode verify -CAfile ca.pem -in "$signed" >verify.log ||
        { cat verify.log; echo "$binary: the signature does not verify" >&2; exit 1; }
    cmp "$signed" "unpacked/Keyvane/$binary"
    osslsigncode remove-signature -in "$signed" -out "$binary.unsigned" >/dev/null
    cmp "$binary.unsigned" "$build/Keyvane/$binary"

    cp "$signed" "$binary.changed"
    printf '\xcc' | dd of="$binary.changed" bs=1 seek=4096 conv=notrunc 2>/dev/null
    if osslsigncode verify -CAfile ca.pem -in "$binary.changed" >/dev/null 2>&1; then
        echo "$binary: a changed byte still verifies" >&2
        exit 1
    fi
done
cd / && rm -rf "$work"
