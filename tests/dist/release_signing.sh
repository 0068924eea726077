#!/usr/bin/env bash
# A signed release, with a throwaway certificate and minisign key made here:
# two packings give the same bytes; SHA256SUMS beside the zip checks out and
# its minisign signature verifies; both executables in the zip verify, carry
# SHA-256 digests and the commit's time, and without their signatures are
# the unsigned builds.
# Each bad input is refused in one line, without a prompt, and leaves the
# release folder as it was.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cd "$work"

openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
    -subj "/CN=Throwaway publisher" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out other.pem 2>/dev/null
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -aes256 -pass pass:secret -out locked.pem 2>/dev/null
minisign -G -W -p minisign.pub -s minisign.key </dev/null >/dev/null
printf 'secret\nsecret\n' | minisign -G -p locked.pub -s locked.minisign >/dev/null 2>&1
echo "not a key" >garbage
keys=(SIGN_CERT=cert.pem SIGN_KEY=key.pem MINISIGN_KEY=minisign.key)

# scripts/dist OUT_DIR with these settings, detached from any terminal so
# that a prompt fails at once instead of waiting; its log and errors beside.
pack() {
    local out=$1
    shift
    timeout 120 setsid -w env "$@" "$SOURCE_DIR/scripts/dist" "$out" </dev/null >"$out.log" 2>"$out.err"
}

for n in 1 2; do
    (umask 0$((n * 2))2; TZ=$([ $n = 1 ] && echo XXX-14 || echo YYY+12) pack "$work/$n" "${keys[@]}") ||
        fail "the signed packing ended with code $?: $(cat "$work/$n.err")"
done
zip=$(ls "$work"/1/OmbeX+-*.zip)
name=$(basename "$zip")
for made in "$name" SHA256SUMS SHA256SUMS.minisig; do
    cmp "$work/1/$made" "$work/2/$made" || fail "two signed packings give other $made"
done
(cd "$work/1" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS beside the signed zip does not check out"
minisign -Vm "$work/1/SHA256SUMS" -p minisign.pub -q || fail "SHA256SUMS.minisig does not verify"
grep -q "unsigned" "$work/1.log" && fail "make dist with keys says the release is unsigned"

unzip -q "$zip" -d unpacked
(cd unpacked && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS in the signed zip does not check out"
signed_at=$(date -u -d "@$(git -C "$SOURCE_DIR" log -1 --format=%ct)" '+%b %e %H:%M:%S %Y GMT')
for exe in OmbeX+.exe:build 64-bit/OmbeX+.exe:build-x64; do
    inside=unpacked/${exe%:*} built=$SOURCE_DIR/${exe#*:}/OmbeX+.exe
    osslsigncode verify -CAfile cert.pem -in "$inside" >verified 2>&1 || fail "${exe%:*} does not verify: $(tail -3 verified)"
    for expected in "Message digest algorithm  : SHA256" "Signing time: $signed_at"; do
        grep -q "$expected" verified || fail "${exe%:*} lacks '$expected' (the digest, the commit's time)"
    done
    osslsigncode remove-signature -in "$inside" -out bare.exe >/dev/null
    cmp bare.exe "$built" || fail "${exe%:*} without its signature is not the build in ${exe#*:}"
    rm bare.exe
done

# A release folder that holds an unsigned release, which no bad input may touch.
pack "$work/kept" || fail "the unsigned packing ended with code $?: $(cat "$work/kept.err")"
cp -a kept before
bad=0
refused() {  # the words the one line of refusal must hold, then the settings
    local words=$1
    shift
    if pack "$work/kept" "$@"; then
        echo "FAIL: $* was not refused"
    elif [ $? = 124 ]; then
        echo "FAIL: $* waited for a password"
    elif [ "$(wc -l <kept.err)" != 1 ] || ! grep -q "^dist: .*$words" kept.err; then
        echo "FAIL: $* was refused without one line that says '$words': $(cat kept.err)"
    elif ! diff -r before kept >/dev/null; then
        echo "FAIL: $* changed the release folder"
    else
        return 0
    fi
    bad=$((bad + 1))
}
refused "SIGN_CERT needs SIGN_KEY" SIGN_CERT=cert.pem
refused "SIGN_KEY needs SIGN_CERT" SIGN_KEY=key.pem
refused "is not the key of SIGN_CERT" SIGN_CERT=cert.pem SIGN_KEY=other.pem
refused "cannot read SIGN_KEY" SIGN_CERT=cert.pem SIGN_KEY=missing.pem
refused "cannot read SIGN_CERT" SIGN_CERT=missing.pem SIGN_KEY=key.pem
refused "SIGN_KEY .* is protected by a password" SIGN_CERT=cert.pem SIGN_KEY=locked.pem
refused "is not an unencrypted private key" SIGN_CERT=cert.pem SIGN_KEY=garbage
refused "is not a PEM certificate" SIGN_CERT=garbage SIGN_KEY=key.pem
refused "cannot read MINISIGN_KEY" "${keys[@]:0:2}" MINISIGN_KEY=missing.key
refused "MINISIGN_KEY .* is protected by a password" "${keys[@]:0:2}" MINISIGN_KEY=locked.minisign
refused "is not a minisign secret key" "${keys[@]:0:2}" MINISIGN_KEY=garbage
# Refused only once both executables and the sums are signed.
refused "RELEASE_URL .* is not an http(s) address" "${keys[@]}" RELEASE_URL=ftp://downloads.example/
[ "$bad" = 0 ] || exit 1
echo "signed: $name twice the same, sums and minisign verify, both executables verify, signed at $signed_at, and unsigned again once stripped; 12 bad inputs refused"
