#!/usr/bin/env bash
# Two builds of the same sources with this build's toolchain, in two fresh
# folders, give the same bytes, and the same as this build's.
. "$SOURCE_DIR/tests/lib.sh"
for n in 1 2; do
    cmake -S "$SOURCE_DIR" -B "$work/$n" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" \
        -DCMAKE_BUILD_TYPE=Release -DOMBEX_TESTS=OFF >/dev/null
    cmake --build "$work/$n" --target OmbeX+ -j2 >/dev/null
done
check "the two builds are alike" cmp "$work/1/OmbeX+.exe" "$work/2/OmbeX+.exe"
check "they are the build in $BUILD_DIR" cmp "$work/1/OmbeX+.exe" "$BUILD_DIR/OmbeX+.exe"
echo "$ARCH reproducible: $(stat -c %s "$work/1/OmbeX+.exe") bytes, twice the same"
