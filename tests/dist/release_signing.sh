#!/usr/bin/env bash
# A signed release, with throwaway certificates and minisign key made here:
# two packings give the same bytes; SHA256SUMS beside the zip checks out and
# its minisign signature verifies; both executables in the zip verify, carry
# SHA-256 digests and the commit's time, and without their signatures are
# the unsigned builds; with SIGN_TSA, a timestamp authority of our own
# stamps them at the commit's time, and they still strip back to the builds.
# Each bad input is refused in one line, without a prompt, and leaves the
# release folder as it was; so is a signer that fails, which leaves no word
# that anything was signed.
set -euo pipefail
# shellcheck source=tests/lib.sh
. "$(dirname "$0")/../lib.sh"
cd "$work"

# The publisher's certificate and the authority's, valid since 2000 so that
# they were valid at the commit's time too, at which the authority stamps;
# SIGN_TSA takes the authority's certificate and key in one file.
printf '%s\n' '[ca]' default_ca=own '[own]' database=index new_certs_dir=. rand_serial=yes default_md=sha256 \
    policy=any '[any]' commonName=supplied '[cert]' extendedKeyUsage=codeSigning \
    '[tsa]' extendedKeyUsage=critical,timeStamping >ca.cnf
touch index
for who in cert tsa; do
    openssl req -new -newkey rsa:2048 -nodes -keyout "$who.key" -subj "/CN=Throwaway $who" -out "$who.csr" 2>/dev/null
    openssl ca -batch -notext -config ca.cnf -selfsign -keyfile "$who.key" -in "$who.csr" -extensions "$who" \
        -startdate 20000101000000Z -enddate 20991231000000Z -out "$who.pem" 2>/dev/null
done
cat tsa.key >>tsa.pem
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out other.pem 2>/dev/null
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -aes256 -pass pass:secret -out locked.pem 2>/dev/null
minisign -G -W -p minisign.pub -s minisign.key </dev/null >/dev/null
printf 'secret\nsecret\n' | minisign -G -p locked.pub -s locked.minisign >/dev/null 2>&1
echo "not a key" >garbage
keys=(SIGN_CERT=cert.pem SIGN_KEY=cert.key MINISIGN_KEY=minisign.key)
# Signers that fail, each first on PATH in a folder of its own.
for signer in osslsigncode minisign; do
    mkdir "failing-$signer" && printf '#!/bin/sh\necho "%s: cannot sign" >&2\nexit 1\n' "$signer" >"failing-$signer/$signer"
    chmod +x "failing-$signer/$signer"
done

# scripts/dist OUT_DIR with these settings, detached from any terminal so
# that a prompt fails at once instead of waiting; its log and errors beside.
pack() {
    local out=$1
    shift
    timeout 120 setsid -w env "$@" "$ombex_root/scripts/dist" "$out" </dev/null >"$out.log" 2>"$out.err"
}

# Twice alike, then a third time with a timestamp.
for n in 1 2 3; do
    tsa=() && [ $n != 3 ] || tsa=(SIGN_TSA=tsa.pem)
    (umask 0$((n * 2))2; TZ=$([ $n = 1 ] && echo XXX-14 || echo YYY+12) pack "$work/$n" "${keys[@]}" "${tsa[@]}") ||
        fail "the signed packing $n ended with code $?: $(cat "$work/$n.err")"
done
name=$(basename "$work"/1/*.zip)
for made in "$name" SHA256SUMS SHA256SUMS.minisig; do
    cmp "$work/1/$made" "$work/2/$made" || fail "two signed packings give other $made"
done
(cd "$work/1" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS beside the signed zip does not check out"
minisign -Vm "$work/1/SHA256SUMS" -p minisign.pub -q || fail "SHA256SUMS.minisig does not verify"
grep -q "unsigned" "$work/1.log" && fail "make dist with keys says the release is unsigned"
grep -q "signed and timestamped" "$work/3.log" || fail "make dist with SIGN_TSA does not say that it timestamped"

signed_at=$(date -u -d "@$(git -C "$ombex_root" log -1 --format=%ct)" '+%b %e %H:%M:%S %Y GMT')
for n in 1 3; do
    unzip -q "$work/$n/$name" -d "unpacked-$n"
    (cd "unpacked-$n" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS in the signed zip $n does not check out"
    expected=("Message digest algorithm  : SHA256" "Signing time: $signed_at")
    [ $n = 1 ] || expected+=("Timestamp time: $signed_at" "Hash Algorithm: sha256" "Timestamp Server Signature verification: ok")
    while read -r arch file; do
        inside=unpacked-$n/$file
        osslsigncode verify -CAfile cert.pem -TSA-CAfile tsa.pem -in "$inside" >verified 2>&1 ||
            fail "$inside does not verify: $(tail -3 verified)"
        for line in "${expected[@]}"; do
            grep -q "$line" verified || fail "$inside lacks '$line' (the digest, the commit's time, the timestamp)"
        done
        osslsigncode remove-signature -in "$inside" -out bare.exe >/dev/null
        cmp bare.exe "$(exe_of "$arch")" || fail "$inside without its signature is not the $arch build"
        rm bare.exe
    done < <(tr -d '\r' <"unpacked-$n/BUILDINFO" | sed -n 's/^build \([^:]*\): /\1 /p')
done

# A release folder that holds an unsigned release, which no bad input may touch.
pack "$work/kept" || fail "the unsigned packing ended with code $?: $(cat "$work/kept.err")"
cp -a kept before
mkdir empty
version=$(ombex_version)
refused() {  # the words the one line of refusal must hold, then the settings
    local words=$1
    shift
    rm -rf kept && cp -a before kept
    if pack "$work/kept" "$@"; then
        echo "  not refused"
    elif [ $? = 124 ]; then
        echo "  waited for a password"
    elif [ "$(wc -l <kept.err)" != 1 ] || ! grep -q "^dist: .*$words" kept.err; then
        echo "  refused without one line that says '$words': $(cat kept.err)"
    elif grep -qw signed kept.log; then
        echo "  refused, yet make dist said that it signed: $(cat kept.log)"
    elif ! diff -r before kept >/dev/null; then
        echo "  the release folder changed"
    else
        return 0
    fi
    return 1
}
check "no build" refused "no .*OmbeX+.exe: make builds it" OMBEX_BUILD="$work/empty"
check "no key" refused "SIGN_CERT needs SIGN_KEY" SIGN_CERT=cert.pem
check "no certificate" refused "SIGN_KEY needs SIGN_CERT" SIGN_KEY=cert.key
check "another key" refused "is not the key of SIGN_CERT" SIGN_CERT=cert.pem SIGN_KEY=other.pem
check "a missing key" refused "cannot read SIGN_KEY" SIGN_CERT=cert.pem SIGN_KEY=missing.pem
check "a missing certificate" refused "cannot read SIGN_CERT" SIGN_CERT=missing.pem SIGN_KEY=cert.key
check "a locked key" refused "SIGN_KEY .* is protected by a password" SIGN_CERT=cert.pem SIGN_KEY=locked.pem
check "a key that is none" refused "is not an unencrypted private key" SIGN_CERT=cert.pem SIGN_KEY=garbage
check "a certificate that is none" refused "is not a PEM certificate" SIGN_CERT=garbage SIGN_KEY=cert.key
check "a missing minisign key" refused "cannot read MINISIGN_KEY" "${keys[@]:0:2}" MINISIGN_KEY=missing.key
check "a locked minisign key" refused "MINISIGN_KEY .* is protected by a password" "${keys[@]:0:2}" MINISIGN_KEY=locked.minisign
check "a minisign key that is none" refused "is not a minisign secret key" "${keys[@]:0:2}" MINISIGN_KEY=garbage
check "a timestamp with no signature" refused "SIGN_TSA needs SIGN_CERT" SIGN_TSA=tsa.pem
# Refused only once something is signed, or about to be.
check "an authority that cannot be reached" refused "SIGN_TSA 'http://127.0.0.1:9/'" "${keys[@]}" SIGN_TSA=http://127.0.0.1:9/
check "osslsigncode failing" refused "osslsigncode could not sign" "${keys[@]}" PATH="$work/failing-osslsigncode:$PATH"
check "minisign failing" refused "minisign could not sign" "${keys[@]}" PATH="$work/failing-minisign:$PATH"
check "RELEASE_URL over http" refused "RELEASE_URL .* is not https://" "${keys[@]}" \
    "RELEASE_URL=http://git.example/ombex/ombex-plus/releases/download/v$version"
check "RELEASE_URL with a space" refused "RELEASE_URL .* is not https://" "${keys[@]}" \
    "RELEASE_URL=https://git.example/ombex/ombex plus/releases/download/v$version"
summary "signed $name (at $signed_at): the same twice, verified, stamped, stripped back to the builds; bad inputs refused"
