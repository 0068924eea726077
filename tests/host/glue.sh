#!/usr/bin/env bash
# The glue around the program: shellcheck finds nothing in the scripts, the
# bench's and the shell tests; ctest as the project calls it fails when a
# label or filter selects no test; and make refuses each bad setting in one
# line, before it sets up or builds anything.
set -euo pipefail
# shellcheck source=tests/lib.sh
. "$(dirname "$0")/../lib.sh"
cd "$ombex_root"

mapfile -t shells < <(git ls-files scripts bench/run 'tests/*.sh')
check "shellcheck finds nothing in ${#shells[@]} scripts" shellcheck -x "${shells[@]}"

# A project of one test, labelled host.
printf '%s\n' 'add_test(one true)' 'set_tests_properties(one PROPERTIES LABELS host)' >"$work/CTestTestfile.cmake"
check "ctest runs the test its label selects" ombex_ctest --test-dir "$work" -L host -Q
if ombex_ctest --test-dir "$work" -L hots -Q >/dev/null 2>&1; then
    check "ctest fails when its label selects nothing" false
fi
if ombex_ctest --test-dir "$work" -R nothing -Q >/dev/null 2>&1; then
    check "ctest fails when its filter selects nothing" false
fi

# make -n: a setting that got through would print the recipes and pass.
refused() {  # the setting's name, then make's arguments
    local name=$1 said
    shift
    if said=$(env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -n "$@" 2>&1); then
        check "make $* is refused" false
    else
        check "make $* is refused in one line naming $name: $said" \
            test "$(grep -c . <<<"$said")" = 1 -a "$(grep -cw "$name" <<<"$said")" = 1
    fi
}
refused N stress N=0
refused N stress N=abc
refused REPEAT test-wine10 REPEAT=-1
refused OMBEX_ARCH test OMBEX_ARCH=arm64
summary glue
