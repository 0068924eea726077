#!/usr/bin/env bash
# make verify-release on a signed release of this commit, with one clone that
# every road reuses: the zip is what the commit builds here; a copy with one
# byte of the 64-bit executable flipped (its SHA256SUMS made to match) is
# named with that byte; a file that is no zip, a zip without BUILDINFO and
# one whose BUILDINFO names a commit this repository lacks are refused, each
# in one line. A checkout with changes not committed has no commit to build
# again, so there the test is skipped.
. "$SOURCE_DIR/tests/lib.sh"
cd "$work"
git -C "$ombex_root" diff --quiet HEAD || { echo "SKIP: the checkout has changes not committed"; exit 77; }

openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj "/CN=Throwaway publisher" 2>/dev/null
packed out SIGN_CERT=cert.pem SIGN_KEY=key.pem
# verify ZIP: verify-release's output beside it, in the one clone.
verify() { "$ombex_root/scripts/verify-release" "$1" clone >"$1.said" 2>&1; }
# altered ZIP COMMAND...: the release unpacked, changed by COMMAND, its sums made to match, packed as ZIP.
altered() {
    rm -rf altered && unzip -q out/*.zip -d altered
    (cd altered && "${@:2}" && cut -d' ' -f3 SHA256SUMS | xargs -d '\n' sha256sum >../sums && mv ../sums SHA256SUMS &&
        zip -q -r "../$1" .)
}
# refused WORDS ZIP: verify-release refuses ZIP in one line that holds WORDS.
refused() {
    ! verify "$2" && one_line "$2.said" "^verify-release: .*$1" && return
    echo "verify-release said: $(cat "$2.said")" && return 1
}

verify out/*.zip || fail "verify-release failed on make dist's zip: $(cat out/*.zip.said)"
check "make dist's zip is identical to what its commit builds" grep -q '^verify-release: identical' "$(echo out/*.zip.said)"

file=$(build_in <(unzip -p out/*.zip BUILDINFO) x86_64) at=4096
# flip: one byte of FILE at AT, inverted.
flip() { printf '%b' "\\$(printf %03o $((255 - $(od -An -tu1 -j $at -N1 "$file"))))" | dd of="$file" bs=1 seek=$at conv=notrunc status=none; }
altered flipped.zip flip
! verify flipped.zip || fail "verify-release took a zip whose $file has a byte flipped"
said=$(tail -1 flipped.zip.said)
names() { [[ "$said," == "verify-release: $file differs from the build of $(git -C "$ombex_root" rev-parse HEAD) in "*" $1,"* ]]; }
check "the flipped byte of $file, $((at + 1)), is not named: $said" names $((at + 1))

echo "not a zip" >garbage.zip
cp out/*.zip lacking.zip && zip -q -d lacking.zip BUILDINFO
altered unknown.zip sed -i "s/^commit: [0-9a-f]*/commit: $(printf '%040d' 0)/" BUILDINFO
check "a file that is no zip is refused" refused "is not a zip" garbage.zip
check "a zip without BUILDINFO is refused" refused "holds no BUILDINFO" lacking.zip
check "a commit that this clone lacks is refused" refused "this clone lacks commit 0000" unknown.zip
summary "verify-release"
