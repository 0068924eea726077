#!/usr/bin/env bash
# The release zip unpacked into an empty folder outside the checkout: the
# sums check out, and this build's executable from it starts, shows both
# tools and ends through its close button with code 0. It needs nothing
# beside itself.
set -euo pipefail
# shellcheck source=tests/lib.sh
. "$(dirname "$0")/../lib.sh"

"$ombex_root/scripts/dist" "$work/out" >/dev/null
mkdir "$work/unpacked"
unzip -q "$work"/out/*.zip -d "$work/unpacked"
(cd "$work/unpacked" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not check out"
file=$(tr -d '\r' <"$work/unpacked/BUILDINFO" | sed -n "s/^build $ARCH: //p")
[ -n "$file" ] || fail "BUILDINFO names no $ARCH build"
"$ombex_root/scripts/screenshots" "$work/unpacked/$file" "$work" || fail "$file from the zip ended with code $?"
for shot in screenshot converter; do
    [ -s "$work/$shot.png" ] || fail "no $shot.png"
done
echo "unpacked: $file ran from $work/unpacked and ended with code 0"
