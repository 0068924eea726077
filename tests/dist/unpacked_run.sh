#!/usr/bin/env bash
# The release zip unpacked into an empty folder outside the checkout: the
# sums check out, and this build's executable from it starts, shows both
# tools and ends through its close button with code 0. It needs nothing
# beside itself.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL ($ARCH): $*"; exit 1; }

"$SOURCE_DIR/scripts/dist" "$work/out" >/dev/null
mkdir "$work/unpacked"
unzip -q "$work"/out/OmbeX+-*.zip -d "$work/unpacked"
(cd "$work/unpacked" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not check out"
case $ARCH in
i686)   exe=$work/unpacked/OmbeX+.exe ;;
x86_64) exe=$work/unpacked/64-bit/OmbeX+.exe ;;
esac
"$SOURCE_DIR/scripts/screenshots" "$exe" "$work" || fail "${exe#$work/unpacked/} from the zip ended with code $?"
for shot in screenshot converter; do
    [ -s "$work/$shot.png" ] || fail "no $shot.png"
done
echo "unpacked: ${exe#$work/unpacked/} ran from $work/unpacked and ended with code 0"
