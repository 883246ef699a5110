#!/usr/bin/env bash
# Signs Windows files in place with Authenticode (sha256), when a certificate is given:
#   LEVELWISE_SIGN_PKCS12         the certificate with its private key (.pfx/.p12)
#   LEVELWISE_SIGN_PASSWORD       its password, or the path of a file holding it
#   LEVELWISE_SIGN_TIMESTAMP_URL  an RFC 3161 timestamp service (optional)
#   SOURCE_DATE_EPOCH             the signing time, for the same bytes on every build (optional)
# Without a certificate it does nothing: the build says once, elsewhere, that it is unsigned.
# The password goes to osslsigncode through a pipe, never on a command line or into a file.
#   sign.sh FILE...
set -euo pipefail
[ -n "${LEVELWISE_SIGN_PKCS12:-}" ] || exit 0
if [ ! -r "$LEVELWISE_SIGN_PKCS12" ]; then
    echo "sign.sh: cannot read the certificate named by LEVELWISE_SIGN_PKCS12" >&2
    exit 1
fi
password() {
    if [ -f "${LEVELWISE_SIGN_PASSWORD:-}" ]; then
        tr -d '\r\n' <"$LEVELWISE_SIGN_PASSWORD"
    else
        printf '%s' "${LEVELWISE_SIGN_PASSWORD:-}"
    fi
}
options=(-h sha256 -n Levelwise -i https://levelwise.org/)
[ -z "${LEVELWISE_SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$LEVELWISE_SIGN_TIMESTAMP_URL")
[ -z "${SOURCE_DATE_EPOCH:-}" ] || options+=(-time "$SOURCE_DATE_EPOCH")
for file in "$@"; do
    rm -f "$file.signed"
    # osslsigncode's own messages may name the certificate's subject, never the secrets.
    if ! said=$(osslsigncode sign -pkcs12 "$LEVELWISE_SIGN_PKCS12" -readpass <(password) \
            "${options[@]}" -in "$file" -out "$file.signed" 2>&1); then
        rm -f "$file.signed"
        echo "sign.sh: could not sign $(basename "$file"):" >&2
        echo "$said" >&2
        exit 1
    fi
    mv -f "$file.signed" "$file"
    echo "signed $(basename "$file")"
done
