#!/usr/bin/env bash
# The release zip: the same bytes from two packings made at other times and
# with another umask, the six files a user needs with Windows line endings
# (README.txt at most 76 columns wide), BUILDINFO naming this commit, its
# builds and this machine's tools; beside it the sum of the zip, and word
# that nothing is signed.
. "$SOURCE_DIR/tests/lib.sh"

for n in 1 2; do
    # Copies made now, laid out as the checkout, so that their times and modes differ.
    for arch in "${ombex_arches[@]}"; do
        exe=$(exe_of "$arch") && copy=$work/$n${exe#"$ombex_root"}
        mkdir -p "$(dirname "$copy")" && unlike $n cp "$exe" "$copy" && touch -d "@$((1700000000 + n * 86400))" "$copy"
    done
    unlike $n packed "$work/$n/out" OMBEX_BUILD="$work/$n"
done
name=OmbeX-Plus-$(ombex_version).zip out=$work/1/out
zip=$out/$name unpacked=unpacked
[ -f "$zip" ] || fail "no $name: $(ls "$out")"
cmp "$zip" "$work/2/out/$name" || fail "two packings of the same files differ"

sums "$out" "beside the zip"
[ "$(cat "$out/SHA256SUMS")" = "$(tail -1 "$out.log")  $name" ] ||
    fail "SHA256SUMS beside the zip, $(cat "$out/SHA256SUMS"), is not make dist's last line and $name alone"
grep -q '^dist: unsigned release' "$out.log" || fail "make dist without keys does not say that the release is unsigned"
[ ! -e "$out/SHA256SUMS.minisig" ] || fail "an unsigned release carries a signature"

listed=$(unzip -Z1 "$zip" | tr '\n' ' ')
[ "$listed" = "OmbeX+.exe 64-bit/OmbeX+.exe README.txt LICENSE BUILDINFO SHA256SUMS " ] || fail "the zip holds: $listed"
unpack "$zip" "$unpacked"
[ "$(wc -l <"$unpacked/SHA256SUMS")" = 5 ] || fail "SHA256SUMS does not sum every other file"
tr -d '\r' <"$unpacked/LICENSE" | cmp - "$ombex_root/LICENSE" || fail "LICENSE in the zip is not the licence"
for text in README.txt LICENSE BUILDINFO; do
    [ "$(grep -c $'\r$' "$unpacked/$text")" = "$(wc -l <"$unpacked/$text")" ] || fail "$text has lines without CR LF"
done
grep -q 'LICENSE' unpacked/README.txt || fail "README.txt does not name the licence"
grep -q "$name" unpacked/README.txt || fail "README.txt does not name $name"
! grep -o '@[A-Z]*@' unpacked/README.txt || fail "README.txt keeps those placeholders"
! tr -d '\r' <unpacked/README.txt | grep '.\{77\}' || fail "README.txt has those lines wider than 76 columns"
! zipinfo -v "$zip" | grep -E 'length of extra field: +[1-9]' || fail "the zip carries extra fields (owners, clock)"

info=$(tr -d '\r' <"$unpacked/BUILDINFO")
changed=$(git -C "$ombex_root" diff --quiet HEAD || echo " with changes not committed")
grep -qx "commit: $(git -C "$ombex_root" rev-parse HEAD)$changed" <<<"$info" || fail "BUILDINFO names another commit"
for arch in "${ombex_arches[@]}"; do
    file=$(build_in "$unpacked/BUILDINFO" "$arch")
    cmp "$unpacked/$file" "$(exe_of "$arch")" || fail "BUILDINFO's $arch build, '$file', is not $(exe_of "$arch")"
done
for package in g++-mingw-w64-{i686,x86-64}-posix binutils-mingw-w64-{i686,x86-64} mingw-w64-{i686,x86-64}-dev cmake; do
    grep -qx "package $package: $(package_version "$package")" <<<"$info" || fail "BUILDINFO misstates $package"
done
echo "package: $name, $(stat -c %s "$zip") bytes, twice the same; $listed"
