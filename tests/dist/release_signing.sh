#!/usr/bin/env bash
# A signed release, with throwaway certificates and minisign key made here:
# alike from two packings, its sums and signatures verify, and its
# executables, stamped at the commit's time by an authority of our own, strip
# back to the builds. Each bad input, and each signer that fails, is refused
# in one line without a prompt, leaving the release folder as it was and no
# word that anything was signed; so is a minisign key other than the one
# committed as the publisher's.
. "$SOURCE_DIR/tests/lib.sh"

# The publisher's certificate and the authority's, valid since 2000 so that
# they were valid at the commit's time too, at which the authority stamps;
# SIGN_TSA takes the authority's certificate and key in one file.
printf '%s\n' '[ca]' default_ca=own '[own]' database=index new_certs_dir=. rand_serial=yes default_md=sha256 \
    policy=any '[any]' commonName=supplied '[cert]' extendedKeyUsage=codeSigning \
    '[tsa]' extendedKeyUsage=critical,timeStamping >ca.cnf && touch index
for who in cert tsa; do
    openssl req -new -newkey rsa:2048 -nodes -keyout "$who.key" -subj "/CN=Throwaway $who" -out "$who.csr" 2>/dev/null
    openssl ca -batch -notext -config ca.cnf -selfsign -keyfile "$who.key" -in "$who.csr" -extensions "$who" \
        -startdate 20000101000000Z -enddate 20991231000000Z -out "$who.pem" 2>/dev/null
done
cat tsa.key >>tsa.pem
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -aes256 -pass pass:secret -out locked.pem 2>/dev/null
minisign -G -W -p minisign.pub -s minisign.key </dev/null >/dev/null
printf 'secret\nsecret\n' | minisign -G -p locked.pub -s locked.minisign >/dev/null 2>&1
echo "not a key" >garbage
keys=(SIGN_CERT=cert.pem SIGN_KEY=cert.key MINISIGN_KEY=minisign.key)
# Signers that fail, each first on PATH in a folder of its own.
for signer in osslsigncode minisign; do
    printf '#!/bin/sh\necho "%s: cannot sign" >&2\nexit 1\n' "$signer" | install -D /dev/stdin "failing-$signer/$signer"
done

# Twice alike, then a third time with a timestamp.
for n in 1 2 3; do
    tsa=() && [ $n != 3 ] || tsa=(SIGN_TSA=tsa.pem)
    unlike $n packed "$work/$n" "${keys[@]}" "${tsa[@]}"
done
name=$(basename "$work"/1/*.zip)
check "two signed packings are alike" diff -rq 1 2
check "SHA256SUMS beside the signed zip checks out" sums "$work/1"
check "SHA256SUMS.minisig verifies" minisign -Vm "$work/1/SHA256SUMS" -p minisign.pub -q
check "make dist with keys does not say that the release is unsigned" fails grep -q "unsigned" "$work/1.log"
check "make dist with SIGN_TSA says that it timestamped" grep -q "signed and timestamped" "$work/3.log"

signed_at=$(committed '%b %e %H:%M:%S %Y GMT')
for n in 1 3; do
    unpack "$work/$n/$name" "unpacked-$n"
    expected=("Message digest algorithm  : SHA256" "Signing time: $signed_at")
    [ $n = 1 ] ||
        expected+=("Timestamp time: $signed_at" "Hash Algorithm: sha256" "Timestamp Server Signature verification: ok")
    for arch in "${ombex_arches[@]}"; do
        inside=unpacked-$n/$(build_in "unpacked-$n/BUILDINFO" "$arch")
        verified=$(osslsigncode verify -CAfile cert.pem -TSA-CAfile tsa.pem -in "$inside" 2>&1) && status=0 || status=$?
        check "$inside verifies: $(tail -3 <<<"$verified")" test "$status" = 0
        for line in "${expected[@]}"; do
            check "$inside holds '$line' (the digest, the commit's time, the timestamp)" grep -q "$line" <<<"$verified"
        done
        osslsigncode remove-signature -in "$inside" -out "bare-$n-$arch.exe" >/dev/null
        check "$inside without its signature is the $arch build" cmp "bare-$n-$arch.exe" "$(exe_of "$arch")"
    done
done

# A release folder that holds an unsigned release, which no bad input may touch.
packed "$work/kept"
cp -a kept before && mkdir empty
refused() {  # the words the one line of refusal must hold, then the settings
    rm -rf kept && cp -a before kept
    pack "$work/kept" "${@:2}" && { echo "  not refused"; return 1; }
    [ $? != 124 ] || { echo "  waited for a password"; return 1; }
    one_line kept.err "^[a-z]*: .*$1" || { echo "  refused without one line that says '$1': $(cat kept.err)"; return 1; }
    ! grep -qw signed kept.log || { echo "  refused, yet make dist said that it signed: $(cat kept.log)"; return 1; }
    diff -r before kept >/dev/null || { echo "  the release folder changed"; return 1; }
}
release=git.example/ombex/ombex-plus/releases/download/v$(ombex_version)
check "no build" refused "no .*OmbeX+.exe: make builds it" OMBEX_BUILD="$work/empty"
check "no key" refused "SIGN_CERT needs SIGN_KEY" SIGN_CERT=cert.pem
check "no certificate" refused "SIGN_KEY needs SIGN_CERT" SIGN_KEY=cert.key
check "another key" refused "is not the key of SIGN_CERT" SIGN_CERT=cert.pem SIGN_KEY=tsa.key
check "a missing key" refused "cannot read SIGN_KEY" SIGN_CERT=cert.pem SIGN_KEY=missing.pem
check "a missing certificate" refused "cannot read SIGN_CERT" SIGN_CERT=missing.pem SIGN_KEY=cert.key
check "a locked key" refused "SIGN_KEY .* is protected by a password" SIGN_CERT=cert.pem SIGN_KEY=locked.pem
check "a key that is none" refused "is not an unencrypted private key" SIGN_CERT=cert.pem SIGN_KEY=garbage
check "a certificate that is none" refused "is not a PEM certificate" SIGN_CERT=garbage SIGN_KEY=cert.key
check "a missing minisign key" refused "cannot read MINISIGN_KEY" "${keys[@]:0:2}" MINISIGN_KEY=missing.key
check "a locked minisign key" \
    refused "MINISIGN_KEY .* is protected by a password" "${keys[@]:0:2}" MINISIGN_KEY=locked.minisign
check "a minisign key that is none" refused "is not a minisign secret key" "${keys[@]:0:2}" MINISIGN_KEY=garbage
check "a timestamp with no signature" refused "SIGN_TSA needs SIGN_CERT" SIGN_TSA=tsa.pem
check "a missing authority, a file" refused "cannot read SIGN_TSA 'missing.pem'" "${keys[@]}" SIGN_TSA=missing.pem
# An address is refused only once something is signed, or about to be: by
# osslsigncode, which could not reach it.
for scheme in http https; do
    check "an unreachable authority over $scheme, an address" refused \
        "could not sign .* from SIGN_TSA '$scheme://127.0.0.1:9/': HTTP failure" "${keys[@]}" SIGN_TSA=$scheme://127.0.0.1:9/
done
check "osslsigncode failing" refused "osslsigncode could not sign" "${keys[@]}" PATH="$work/failing-osslsigncode:$PATH"
check "minisign failing" refused "minisign could not sign" "${keys[@]}" PATH="$work/failing-minisign:$PATH"
check "RELEASE_URL over http" refused "RELEASE_URL .* is not https://" "${keys[@]}" "RELEASE_URL=http://$release"
check "RELEASE_URL with a space" refused "RELEASE_URL .* is not https://" "${keys[@]}" "RELEASE_URL=https://$release x"
# A scratch copy of the checkout, its builds linked in, where a publisher has
# committed the throwaway public key: only its secret half signs there.
minisign -G -W -p other.pub -s other.key </dev/null >/dev/null && copy=$work/copy && mkdir copy
cp -r "$ombex_root"/{scripts,res,release,LICENSE} copy && cp minisign.pub copy/release/
for arch in "${ombex_arches[@]}"; do ln -s "$(dirname "$(exe_of "$arch")")" copy/; done
ombex_root=$copy check "another minisign key than the publisher's" \
    refused "is not the secret half of release/minisign.pub" MINISIGN_KEY=other.key
ombex_root=$copy check "the publisher's key packs" packed "$work/published" MINISIGN_KEY=minisign.key
check "the publisher's key signs" minisign -Vm published/SHA256SUMS -p copy/release/minisign.pub -q
echo "signed $name at $signed_at: alike twice, verified, stamped, stripped back to the builds; bad inputs refused"
