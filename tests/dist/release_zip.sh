#!/usr/bin/env bash
# The release zip: the same bytes from two packings made at other times and
# with another umask, the five files a user needs, sums that check out, the
# licence, and a README with Windows line endings; beside it the sum of the
# zip, and word that nothing is signed.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for n in 1 2; do
    # Copies made now, so that the files' own times and modes differ.
    mkdir -p "$work/$n/build" "$work/$n/build-x64"
    (umask 0$((n * 2))2; cp "$SOURCE_DIR/build/OmbeX+.exe" "$work/$n/build/"
     cp "$SOURCE_DIR/build-x64/OmbeX+.exe" "$work/$n/build-x64/")
    touch -d "@$((1700000000 + n * 86400))" "$work/$n"/build*/OmbeX+.exe
    (umask 0$((n * 2))2; TZ=$([ $n = 1 ] && echo XXX-14 || echo YYY+12) OMBEX_BUILD="$work/$n/build" \
        OMBEX_BUILD64="$work/$n/build-x64" "$SOURCE_DIR/scripts/dist" "$work/$n/out" >"$work/$n/log")
done
zip=$(ls "$work"/1/out/OmbeX+-*.zip)
cmp "$zip" "$work/2/out/$(basename "$zip")" || fail "two packings of the same files differ"
[ "$(tail -1 "$work/1/log")" = "$(sha256sum "$zip" | cut -d' ' -f1)" ] ||
    fail "the last line of make dist is not the zip's SHA-256"

(cd "$work/1/out" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS beside the zip does not check out"
[ "$(cut -d' ' -f3 "$work/1/out/SHA256SUMS")" = "$(basename "$zip")" ] || fail "SHA256SUMS beside the zip does not list the zip alone"
grep -q '^dist: unsigned release' "$work/1/log" || fail "make dist without keys does not say that the release is unsigned"
[ ! -e "$work/1/out/SHA256SUMS.minisig" ] || fail "an unsigned release carries a signature"

listed=$(unzip -Z1 "$zip" | tr '\n' ' ')
[ "$listed" = "OmbeX+.exe 64-bit/OmbeX+.exe README.txt LICENSE SHA256SUMS " ] || fail "the zip holds: $listed"
unzip -q "$zip" -d "$work/unpacked"
(cd "$work/unpacked" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not check out"
[ "$(wc -l <"$work/unpacked/SHA256SUMS")" = 4 ] || fail "SHA256SUMS does not sum every other file"
cmp "$work/unpacked/OmbeX+.exe" "$SOURCE_DIR/build/OmbeX+.exe" || fail "OmbeX+.exe is not the 32-bit build"
cmp "$work/unpacked/64-bit/OmbeX+.exe" "$SOURCE_DIR/build-x64/OmbeX+.exe" || fail "64-bit/OmbeX+.exe is not the 64-bit build"
tr -d '\r' <"$work/unpacked/LICENSE" | cmp - "$SOURCE_DIR/LICENSE" || fail "LICENSE in the zip is not the licence"
readme=$work/unpacked/README.txt
for text in "$readme" "$work/unpacked/LICENSE"; do
    [ "$(grep -c $'\r$' "$text")" = "$(wc -l <"$text")" ] || fail "${text##*/} has lines without CR LF"
done
grep -q 'LICENSE' "$readme" || fail "README.txt does not name the licence"
grep -q '@VERSION@' "$readme" && fail "README.txt names no version"
zipinfo -v "$zip" | grep 'length of extra field' | grep -vq ' 0 bytes' &&
    fail "the zip carries extra fields (owners, this machine's clock)"
echo "package: $(basename "$zip"), $(stat -c %s "$zip") bytes, twice the same; $listed"
