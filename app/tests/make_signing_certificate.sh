#!/usr/bin/env bash
# A throwaway certificate authority and a code-signing certificate issued by it, for signing a
# test build of the Windows downloads:
#   DIR/ca.pem        the authority's certificate, to verify the signatures against
#   DIR/signer.p12    the signing certificate with its key, as a release would have it
#   DIR/password      the password of signer.p12 (made anew each time)
#   make_signing_certificate.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
cd "$dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
openssl rand -hex 16 >password
openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj '/CN=Levelwise test authority' \
    -addext 'basicConstraints=critical,CA:TRUE' -addext 'keyUsage=critical,keyCertSign' \
    -keyout "$work/ca.key" -out ca.pem 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj '/CN=Levelwise test signer' \
    -keyout "$work/signer.key" -out "$work/signer.csr" 2>/dev/null
printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
    extendedKeyUsage=codeSigning >"$work/extensions"
openssl x509 -req -days 3650 -in "$work/signer.csr" -CA ca.pem -CAkey "$work/ca.key" \
    -set_serial 1 -extfile "$work/extensions" -out "$work/signer.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/signer.key" -in "$work/signer.pem" -certfile ca.pem \
    -passout file:password -out signer.p12
