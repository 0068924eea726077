#!/usr/bin/env bash
# make verify-release on a signed release of this commit, with one clone that
# every road reuses: it takes the zip, names the byte flipped in a copy, and
# refuses in one line what it cannot verify. A checkout with changes not
# committed has no commit to build again, so there the test is skipped.
. "$SOURCE_DIR/tests/lib.sh"
git -C "$ombex_root" diff --quiet HEAD || { echo "SKIP: the checkout has changes not committed"; exit 77; }

openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj "/CN=Throwaway" 2>/dev/null
packed out SIGN_CERT=cert.pem SIGN_KEY=key.pem
# verify ZIP: verify-release on ZIP, in the one clone.
verify() { "$ombex_root/scripts/verify-release" "$1" clone; }
# altered ZIP COMMAND...: the release unpacked, changed by COMMAND, its sums made to match, packed as ZIP.
altered() {
    rm -rf altered && unzip -q out/*.zip -d altered
    (cd altered && "${@:2}" && cut -d' ' -f3 SHA256SUMS | xargs -d '\n' sha256sum >../sums && mv ../sums SHA256SUMS &&
        zip -q -r "../$1" .)
}

verify out/*.zip >said 2>&1 || fail "verify-release failed on make dist's zip: $(cat said)"
check "make dist's zip is identical to what its commit builds" grep -q '^verify-release: identical' said

file=$(build_in <(unzip -p out/*.zip BUILDINFO) x86_64) at=4096
# flip: the byte of FILE at AT, inverted.
flip() { perl -0777 -pi -e "substr(\$_, $at, 1) ^= chr 255" "$file"; }
altered flipped.zip flip
! verify flipped.zip >said 2>&1 || fail "verify-release took a zip whose $file has a byte flipped"
said=$(tail -1 said) head=$(git -C "$ombex_root" rev-parse HEAD)
names() { [[ "$said," == "verify-release: $file differs from the build of $head in "*" $1,"* ]]; }
check "the flipped byte of $file, $((at + 1)), is not named: $said" names $((at + 1))

echo "not a zip" >garbage.zip
cp out/*.zip lacking.zip && zip -q -d lacking.zip BUILDINFO
altered unknown.zip sed -i "s/^commit: [0-9a-f]*/commit: $(printf '%040d' 0)/" BUILDINFO
check "a file that is no zip is refused" refuses "^verify-release: .*is not a zip" verify garbage.zip
check "a zip without BUILDINFO is refused" refuses "^verify-release: .*holds no BUILDINFO" verify lacking.zip
check "an unknown commit is refused" refuses "^verify-release: .*this clone lacks commit 0000" verify unknown.zip
summary "verify-release"
