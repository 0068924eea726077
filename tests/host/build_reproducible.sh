#!/usr/bin/env bash
# Two builds of the same sources with this build's toolchain, in two fresh
# folders, give the same bytes, and the same as this build's.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for n in 1 2; do
    cmake -S "$SOURCE_DIR" -B "$work/$n" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" \
        -DCMAKE_BUILD_TYPE=Release -DOMBEX_TESTS=OFF >/dev/null
    cmake --build "$work/$n" --target OmbeX+ -j2 >/dev/null
done
cmp "$work/1/OmbeX+.exe" "$work/2/OmbeX+.exe" || { echo "FAIL ($ARCH): the two builds differ"; exit 1; }
cmp "$work/1/OmbeX+.exe" "$BUILD_DIR/OmbeX+.exe" || { echo "FAIL ($ARCH): differs from the build in $BUILD_DIR"; exit 1; }
echo "$ARCH reproducible: $(stat -c %s "$work/1/OmbeX+.exe") bytes, twice the same"
