#!/usr/bin/env bash
# The skin files in res/ are exactly what tools/skin paints today, and every
# file the resource script embeds is one of them.
. "$SOURCE_DIR/tests/lib.sh"
# shellcheck disable=SC2046 # pkg-config gives its flags as separate words
g++ -std=c++17 -O2 -Wall -Wextra -Werror "$SOURCE_DIR"/tools/skin/*.cpp $(pkg-config --cflags --libs freetype2) -o "$work/skin"
mkdir "$work/out" && "$work/skin" "$work/out"

for made in "$work"/out/*; do
    check "res/${made##*/} is what the painter makes" cmp "$made" "$SOURCE_DIR/res/${made##*/}"
done
embedded=$(sed -n 's/^[A-Z_0-9]\+ \+RES_[A-Z_]\+ \+"\([^"]*\)".*/\1/p' "$SOURCE_DIR/res/ombex.rc")
check "res/ombex.rc embeds as many files as the painter makes" \
    test "$(echo "$embedded" | wc -w)" -eq "$(find "$work/out" -type f | wc -l)"
for name in $embedded; do
    check "res/ombex.rc embeds $name, which the painter makes" test -f "$work/out/$name"
done
summary skin_reproducible
