#!/bin/bash
# Measures the committed skin pictures against the layout and colours the
# program's windows rely on (see tools/skin/check/art_check.cpp).
set -euo pipefail
: "${SOURCE_DIR:?SOURCE_DIR must name the repository}" "${BUILD_DIR:?BUILD_DIR must name the build directory}"

mkdir -p "$BUILD_DIR/skin-art"
g++ -std=c++17 -O2 -Wall -Wextra -Werror "$SOURCE_DIR/tools/skin/check/art_check.cpp" -o "$BUILD_DIR/skin-art/art_check"
"$BUILD_DIR/skin-art/art_check" "$SOURCE_DIR/res"
