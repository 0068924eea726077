#!/usr/bin/env bash
# The skin files in res/ are exactly what tools/skin paints today, and the
# resource script embeds each of them and nothing else.
. "$SOURCE_DIR/tests/lib.sh"
# shellcheck disable=SC2046 # pkg-config gives its flags as separate words
g++ -std=c++17 -O2 -Wall -Wextra -Werror "$SOURCE_DIR"/tools/skin/*.cpp $(pkg-config --cflags --libs freetype2) -o skin
mkdir out && ./skin out

for made in out/*; do
    check "res/${made##*/} is what the painter makes" cmp "$made" "$SOURCE_DIR/res/${made##*/}"
done
check "res/ombex.rc embeds every file that the painter makes, and no other" \
    diff <(sed -n 's/^[A-Z_0-9]\+ \+RES_[A-Z_]\+ \+"\([^"]*\)".*/\1/p' "$SOURCE_DIR/res/ombex.rc" | sort) <(ls out)
