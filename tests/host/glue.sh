#!/usr/bin/env bash
# The glue around the program: shellcheck finds nothing in the scripts, the
# bench's and the shell tests; ctest as the project calls it fails when a
# label or filter selects no test; and make refuses each bad setting in one
# line, before it sets up or builds anything.
. "$SOURCE_DIR/tests/lib.sh"
cd "$ombex_root"

mapfile -t shells < <(git ls-files scripts bench/run 'tests/*.sh')
check "shellcheck finds nothing in ${#shells[@]} scripts" shellcheck -x "${shells[@]}"

# A project of one test, labelled host.
printf '%s\n' 'add_test(one true)' 'set_tests_properties(one PROPERTIES LABELS host)' >"$work/CTestTestfile.cmake"
check "ctest runs the test its label selects" ombex_ctest --test-dir "$work" -L host -Q
check "ctest fails when its label selects nothing" fails ombex_ctest --test-dir "$work" -L hots -Q
check "ctest fails when its filter selects nothing" fails ombex_ctest --test-dir "$work" -R nothing -Q

# make -n: a setting that got through would print the recipes and pass.
make_n() { env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -n "$@"; }
check "a number of rounds of 0 is refused in one line naming N" refuses '\<N\>' make_n stress N=0
check "a number of rounds that is no number is refused in one line naming N" refuses '\<N\>' make_n stress N=abc
check "a negative REPEAT is refused in one line naming it" refuses '\<REPEAT\>' make_n test-wine10 REPEAT=-1
check "an architecture not built is refused in one line naming it" refuses '\<OMBEX_ARCH\>' make_n test OMBEX_ARCH=arm64
summary glue
