#!/usr/bin/env bash
# The glue around the program: shellcheck finds nothing in the scripts, the
# bench's and the shell tests; their verdicts take a refusal for one, and
# neither a crash nor a command not found; ctest as the project calls it
# fails when a label or filter selects no test; make refuses each bad
# setting in one line, before it sets up or builds anything; make test's
# count line names the product on each road; make stress runs and counts its
# rounds; and the README and changelog keep up with the Makefile and the
# version.
. "$SOURCE_DIR/tests/lib.sh"
cd "$ombex_root"

mapfile -t shells < <(git ls-files scripts ':!*.s' bench/run 'tests/*.sh' tests/host/stub)
check "shellcheck finds nothing in ${#shells[@]} scripts" shellcheck -x "${shells[@]}"

# ends HOW: a command that says how it ends, then ends so: refusing, or on a signal.
ends() (ulimit -c 0; echo "ended by $1"; if [ "$1" = refusal ]; then exit 3; fi; kill -"$1" "$BASHPID")
check "a refusal is one" refuses "ended by refusal" ends refusal
check "a crash is no refusal" fails fails ends SEGV
check "a crash is no refusal in one line" fails refuses "ended by SEGV" ends SEGV
check "a command not found is no refusal" fails fails no-such-command

# A project of one test, labelled host.
printf '%s\n' 'add_test(one true)' 'set_tests_properties(one PROPERTIES LABELS host)' >"$work/CTestTestfile.cmake"
check "ctest runs the test its label selects" ombex_ctest --test-dir "$work" -L host -Q
check "ctest fails when its label selects nothing" fails ombex_ctest --test-dir "$work" -L hots -Q
check "ctest fails when its filter selects nothing" fails ombex_ctest --test-dir "$work" -R nothing -Q

# make -n: a setting that got through would print the recipes and pass.
make_n() { make_as_user -n "$@"; }
check "a number of rounds of 0 is refused in one line naming N" refuses '\<N\>' make_n stress N=0
check "a number of rounds that is no number is refused in one line naming N" refuses '\<N\>' make_n stress N=abc
check "a negative REPEAT is refused in one line naming it" refuses '\<REPEAT\>' make_n test-wine10 REPEAT=-1
check "an architecture not built is refused in one line naming it" refuses '\<OMBEX_ARCH\>' make_n test OMBEX_ARCH=arm64
# make test's count line on each road, from a ctest that runs nothing and
# counts by the build folder's name: 5 under Wine and 10 on the host for
# build/, 9 and 18 for build-x64/.
count_line() {
    local said
    said=$(PATH="$SOURCE_DIR/tests/host/stub:$PATH" OMBEX_TEST_DISPLAY=1 OMBEX_ARCH=$1 scripts/test 2>&1)
    said=${said##*$'\n'}
    [ "$said" = "test: ran the product build/: $2; build-x64/: 9 under Wine, 18 on the host; all passed" ] ||
        { echo "  with OMBEX_ARCH=$1 it said: $said" && return 1; }
}
check "the count line names the product and what of it ran under Wine" count_line i686 "5 under Wine, 10 on the host"
check "the count line says that none of the product ran under Wine, and why" \
    count_line x86_64 "none under Wine since OMBEX_ARCH=x86_64 asks for it, 10 on the host"
# The README's table holds every target that the Makefile's header names;
# the changelog's newest version is the one in res/version.h.
mapfile -t targets < <(sed -n '/^[^#]/q; s/^# \(make\( [a-z][a-z0-9-]*\)\?\) .*/\1/p' Makefile)
check "the Makefile's header names its targets" [ ${#targets[@]} -gt 1 ]
for target in "${targets[@]}"; do
    check "README.md's table of make targets has a row for $target" grep -q "^| \`$target\` |" README.md
done
check "CHANGELOG.md's newest release is $(ombex_version)" \
    [ "$(sed -n '/^## \[\([0-9][^]]*\)\].*/{s//\1/p;q}' CHANGELOG.md)" = "$(ombex_version)" ]

# make stress N=2, set up and built already, in a copy whose builds hold one test under Wine each.
cd "$work" && scratch copy
for arch in "${ombex_arches[@]}"; do
    mkdir "copy/$(build_dir "$arch")" && printf '%s\n' 'add_test(one true)' \
        'set_tests_properties(one PROPERTIES LABELS wine)' >"copy/$(build_dir "$arch")/CTestTestfile.cmake"
done
runs=$((2 * $(wine_arches | grep -c .)))
make_as_user --no-print-directory -C copy -o setup -o build stress N=2 REPEAT=1 >stress.log 2>&1 || true
check "make stress N=2 runs $runs tests in rounds 1/2 and 2/2: $(grep '^stress: round' stress.log | tr '\n' ' ')" \
    test "$(grep -c '^stress: round [12]/2, .*: 1 passed, 0 failed$' stress.log)" = $runs
check "make stress N=2 closes with a count of its 2 rounds: $(tail -1 stress.log)" \
    grep -qx "stress: 2 rounds: $runs passed, 0 failed" stress.log
