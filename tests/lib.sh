# Sourced by the shell tests: the project's shared facts (scripts/lib), a
# scratch folder that goes when the test ends, and one way to fail, to
# check and to count. CTest gives SOURCE_DIR, BUILD_DIR and ARCH.
# shellcheck shell=bash
# shellcheck source=scripts/lib
. "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib"

work=$(mktemp -d)
trap 'remove_tree "$work"' EXIT
passed=0 failed=0

# fail MESSAGE: the test ends here, failed.
fail() {
    echo "FAIL${ARCH:+ ($ARCH)}: $*"
    exit 1
}

# check WHAT COMMAND...: one check, counted, and named where it fails.
check() {
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAIL${ARCH:+ ($ARCH)}: $what"
        failed=$((failed + 1))
    fi
}

# summary NAME: the counts; the test fails where any check did.
summary() {
    echo "$1: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
