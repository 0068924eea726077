#!/usr/bin/env bash
# The skin files in res/ are exactly what tools/skin paints today for the
# resource script's list.
. "$SOURCE_DIR/tests/lib.sh"
# shellcheck disable=SC2046 # pkg-config gives its flags as separate words
g++ -std=c++17 -O2 -Wall -Wextra -Werror "$SOURCE_DIR"/tools/skin/*.cpp $(pkg-config --cflags --libs freetype2) -o skin
mkdir out && ./skin "$SOURCE_DIR/res/ombex.rc" out

for made in out/*; do
    check "res/${made##*/} is what the painter makes" cmp "$made" "$SOURCE_DIR/res/${made##*/}"
done
summary skin_reproducible
