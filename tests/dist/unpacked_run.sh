#!/usr/bin/env bash
# The release zip unpacked into an empty folder outside the checkout: its
# sums check out, and this build's executable from it, needing nothing beside
# itself, starts, shows both tools and ends through its close button.
. "$SOURCE_DIR/tests/lib.sh"

packed "$work/out"
unpack "$work"/out/*.zip "$work/unpacked"
file=$(build_in "$work/unpacked/BUILDINFO" "$ARCH")
[ -n "$file" ] || fail "BUILDINFO names no $ARCH build"
"$ombex_root/scripts/screenshots" "$work/unpacked/$file" "$work" || fail "$file from the zip ended with code $?"
for shot in screenshot converter; do
    [ -s "$work/$shot.png" ] || fail "no $shot.png"
done
echo "unpacked: $file ran from $work/unpacked and ended with code 0"
