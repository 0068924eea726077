# Sourced by the shell tests as "$SOURCE_DIR/tests/lib.sh", a path that the
# linter follows (CTest gives SOURCE_DIR, BUILD_DIR and ARCH): strict mode,
# scripts/lib, a scratch folder to work in that goes when the test ends, and
# the steps that the tests share.
# shellcheck shell=bash
set -euo pipefail
# shellcheck source=scripts/lib
. "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib"

work=$(mktemp -d)
trap 'remove_tree "$work"' EXIT
cd "$work"
passed=0 failed=0

fail() { echo "FAIL${ARCH:+ ($ARCH)}: $*"; exit 1; }

# check WHAT COMMAND...: one check, counted, and named where it fails.
check() {
    if "${@:2}"; then
        passed=$((passed + 1))
    else
        echo "FAIL${ARCH:+ ($ARCH)}: $1"
        failed=$((failed + 1))
    fi
}

# summary NAME: the counts; the test fails where any check did.
summary() { echo "$1: $passed passed, $failed failed" && [ "$failed" -eq 0 ]; }

fails() { ! "$@"; }

one_line() { [ "$(wc -l <"$1")" = 1 ] && grep -q "${@:2}" "$1"; }

# refuses PATTERN COMMAND...: COMMAND fails in one line where grep finds PATTERN.
refuses() {
    ! "${@:2}" >"$work/said" 2>&1 && one_line "$work/said" "$1" && return
    echo "  ${*:2} said: $(cat "$work/said")" && return 1
}

# pack OUT [NAME=VALUE...]: make dist into OUT with those settings, detached
# from any terminal so that a prompt fails at once instead of waiting; what
# it says goes to OUT.log and OUT.err. packed: a packing that must succeed.
pack() { timeout 120 setsid -w env "${@:2}" "$ombex_root/scripts/dist" "$1" </dev/null >"$1.log" 2>"$1.err"; }
packed() { pack "$@" || fail "make dist${2:+ ${*:2}} ended with code $?: $(cat "$1.err")"; }

# unlike N COMMAND...: COMMAND under a umask and a time zone of round N's own,
# so that rounds whose results must not differ are made under other ones.
unlike() { (umask 0$(($1 * 2))2 && TZ=$([ "$1" = 1 ] && echo XXX-14 || echo YYY+12) "${@:2}"); }

# sums DIR WHERE: SHA256SUMS in DIR checks out; WHERE tells which in a failure.
sums() { (cd "$1" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS $2 does not check out"; }

# unpack ZIP DIR: the zip unpacked into DIR, whose SHA256SUMS must check out.
unpack() { unzip -q "$1" -d "$2" && sums "$2" "in $(basename "$1")"; }

# build_in BUILDINFO ARCH: the file that BUILDINFO names as ARCH's build.
build_in() { tr -d '\r' <"$1" | sed -n "s/^build $2: //p"; }

# committed FORMAT: the time of the last commit, in UTC, as date +FORMAT writes it.
committed() { date -u -d "@$(git -C "$ombex_root" log -1 --format=%ct)" "+$1"; }
