#!/usr/bin/env bash
# The number path under libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer: a fixed, seeded number of runs. For a longer
# run by hand: build/numbers_fuzz -max_total_time=600 tests/fuzz/corpus
. "$SOURCE_DIR/tests/lib.sh"
fuzzer="$BUILD_DIR/numbers_fuzz"
clang++-14 -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$SOURCE_DIR/app" "$SOURCE_DIR/app/numbers.cpp" "$SOURCE_DIR/tests/fuzz/numbers_fuzz.cpp" -o "$fuzzer"
cp -r "$SOURCE_DIR/tests/fuzz/corpus" corpus
fuzz() { "$fuzzer" -seed=1 -runs="${FUZZ_RUNS:-1000000}" -max_len=512 -artifact_prefix="$BUILD_DIR/" corpus 2>log; }
check "the fuzzer finds nothing: $(fuzz || tail -40 log)" grep -E '^Done [0-9]+ runs' log
