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
check "make dist makes $name: $(ls "$out")" test -f "$zip"
check "two packings of the same files are alike" cmp "$zip" "$work/2/out/$name"

check "SHA256SUMS beside the zip checks out" sums "$out"
check "SHA256SUMS beside the zip, $(cat "$out/SHA256SUMS"), is make dist's last line and $name alone" \
    test "$(cat "$out/SHA256SUMS")" = "$(tail -1 "$out.log")  $name"
check "make dist without keys says that the release is unsigned" grep -q '^dist: unsigned release' "$out.log"
check "an unsigned release carries no signature" test ! -e "$out/SHA256SUMS.minisig"

listed=$(unzip -Z1 "$zip" | tr '\n' ' ')
check "the zip holds the six files, not $listed" \
    test "$listed" = "OmbeX+.exe 64-bit/OmbeX+.exe README.txt LICENSE BUILDINFO SHA256SUMS "
unpack "$zip" "$unpacked"
check "SHA256SUMS sums every other file" test "$(wc -l <"$unpacked/SHA256SUMS")" = 5
check "LICENSE in the zip is the licence" cmp <(tr -d '\r' <"$unpacked/LICENSE") "$ombex_root/LICENSE"
for text in README.txt LICENSE BUILDINFO; do
    check "$text ends every line with CR LF" test "$(grep -c $'\r$' "$unpacked/$text")" = "$(wc -l <"$unpacked/$text")"
done
check "README.txt names the licence" grep -q 'LICENSE' unpacked/README.txt
check "README.txt names $name" grep -q "$name" unpacked/README.txt
check "README.txt keeps no placeholders" fails grep -o '@[A-Z]*@' unpacked/README.txt
check "README.txt is no wider than 76 columns" fails grep '.\{77\}' <(tr -d '\r' <unpacked/README.txt)
check "the zip carries no extra fields (owners, clock)" fails grep -E 'length of extra field: +[1-9]' <(zipinfo -v "$zip")

info=$(tr -d '\r' <"$unpacked/BUILDINFO")
changed=$(git -C "$ombex_root" diff --quiet HEAD || echo " with changes not committed")
check "BUILDINFO names this commit" grep -qx "commit: $(git -C "$ombex_root" rev-parse HEAD)$changed" <<<"$info"
for arch in "${ombex_arches[@]}"; do
    file=$(build_in "$unpacked/BUILDINFO" "$arch")
    check "BUILDINFO's $arch build, '$file', is $(exe_of "$arch")" cmp "$unpacked/$file" "$(exe_of "$arch")"
done
for package in g++-mingw-w64-{i686,x86-64}-posix binutils-mingw-w64-{i686,x86-64} mingw-w64-{i686,x86-64}-dev cmake; do
    check "BUILDINFO states $package" grep -qx "package $package: $(package_version "$package")" <<<"$info"
done
echo "package: $name, $(stat -c %s "$zip") bytes, twice the same; $listed"
