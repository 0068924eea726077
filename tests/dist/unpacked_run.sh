#!/usr/bin/env bash
# The release zip unpacked into an empty folder outside the checkout: its
# sums check out, and this build's executable from it, needing nothing beside
# itself, starts, shows both tools and ends through its close button.
. "$SOURCE_DIR/tests/lib.sh"

packed "$work/out"
unpack "$work"/out/*.zip "$work/unpacked"
file=$(build_in "$work/unpacked/BUILDINFO" "$ARCH")
[ -n "$file" ] || die "BUILDINFO names no $ARCH build"
check "$file from the zip shows both tools and ends through its close button with code 0" \
    "$ombex_root/scripts/screenshots" "$work/unpacked/$file" "$work"
for shot in screenshot converter; do
    check "it shows the $shot" test -s "$work/$shot.png"
done
echo "unpacked: $file ran from $work/unpacked"
