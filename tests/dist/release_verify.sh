#!/usr/bin/env bash
# make verify-release on a signed release of this commit, packed in a fresh
# clone as a publisher packs it, verified from a checkout with this one's
# scripts that has moved on: a commit later, with a build of its own that
# differs. Every road reuses the one clone: it takes the zip, names the byte
# flipped in a copy, and refuses in one line what it cannot verify.
. "$SOURCE_DIR/tests/lib.sh"
# The release, packed in a fresh clone of this commit, which verify-release reuses.
commit=$(git -C "$ombex_root" rev-parse HEAD)
git clone -q "$ombex_root" clone
make -C clone >build.log 2>&1 || die "make in the clone failed: $(tail -3 build.log)"
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj "/CN=Throwaway" 2>/dev/null
SIGN_CERT=cert.pem SIGN_KEY=key.pem clone/scripts/dist "$work/out" >/dev/null
# The checkout that verifies it.
git clone -q "$ombex_root" checkout && cp -r "$ombex_root/scripts/." checkout/scripts/
sed -i 's/^#define OMBEX_VERSION_TAG .*/#define OMBEX_VERSION_TAG "LATER"/' checkout/res/version.h
git -C checkout -c user.name=test -c user.email=test@example.invalid commit -qam "A later version"
for arch in "${ombex_arches[@]}"; do
    mkdir "checkout/$(build_dir "$arch")" && echo "another build" >"checkout/$(build_dir "$arch")/OmbeX+.exe"
done
# verify ZIP: verify-release on ZIP, in the one clone.
verify() { checkout/scripts/verify-release "$1" clone; }
# altered ZIP COMMAND...: the release unpacked, changed by COMMAND, its sums made to match, packed as ZIP.
altered() {
    rm -rf altered && unzip -q out/*.zip -d altered
    (cd altered && "${@:2}" && cut -d' ' -f3 SHA256SUMS | xargs -d '\n' sha256sum >../sums && mv ../sums SHA256SUMS &&
        zip -q -r "../$1" .)
}

verify out/*.zip >said 2>&1 || true
check "the zip is identical to what its commit builds, not to the checkout's build: $(tail -1 said)" \
    grep -q "^verify-release: identical: .* $commit builds here" said

file=$(build_in <(unzip -p out/*.zip BUILDINFO) x86_64) at=4096
# flip: the byte of FILE at AT, inverted.
flip() { perl -0777 -pi -e "substr(\$_, $at, 1) ^= chr 255" "$file"; }
altered flipped.zip flip
verify flipped.zip >said 2>&1 || true
said=$(tail -1 said)
names() { [[ "$said," == "verify-release: $file differs from the build of $commit in "*" $1,"* ]]; }
check "the flipped byte of $file, $((at + 1)), is not named: $said" names $((at + 1))

echo "not a zip" >garbage.zip
cp out/*.zip lacking.zip && zip -q -d lacking.zip BUILDINFO
altered unknown.zip sed -i "s/^commit: [0-9a-f]*/commit: $(printf '%040d' 0)/" BUILDINFO
check "a file that is no zip is refused" refuses "^verify-release: .*is not a zip" verify garbage.zip
check "a zip without BUILDINFO is refused" refuses "^verify-release: .*holds no BUILDINFO" verify lacking.zip
check "an unknown commit is refused" refuses "^verify-release: .*this clone lacks commit 0000" verify unknown.zip
