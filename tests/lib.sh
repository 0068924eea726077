# Sourced by the shell tests as "$SOURCE_DIR/tests/lib.sh", a path that the
# linter follows (CTest gives SOURCE_DIR, BUILD_DIR and ARCH): strict mode,
# scripts/lib, a scratch folder to work in that goes when the test ends, and
# the steps that the tests share.
# shellcheck shell=bash
set -euo pipefail
# shellcheck source=scripts/lib
. "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib"

work=$(mktemp -d)
passed=0 failed=0
# The verdict, as the test ends: its checks counted; it fails where one did,
# or where a step stopped it first (77: skipped).
finish() {
    local status=$?
    remove_tree "$work" || failed=$((failed + 1))
    [ "$status" != 77 ] || exit 77
    [ "$status" = 0 ] || echo "FAIL${ARCH:+ ($ARCH)}: stopped by a step that ended with code $status"
    echo "$(basename "$0" .sh): $passed passed, $failed failed"
    [ "$status$failed" = 00 ] || exit 1
}
trap finish EXIT
cd "$work"

# check WHAT COMMAND...: the one verdict: a check, counted, and named where it fails.
check() {
    if "${@:2}"; then
        passed=$((passed + 1))
    else
        echo "FAIL${ARCH:+ ($ARCH)}: $1"
        failed=$((failed + 1))
    fi
}

# fails COMMAND...: COMMAND refuses, ending with a code of its own: not 0,
# nor that of a command not found (127) or of a crash (128 + its signal).
fails() {
    local status=0
    "$@" || status=$?
    ((status > 0 && status != 127 && status <= 128)) || { echo "  $* ended with code $status"; return 1; }
}

# scratch DIR: a checkout of the Makefile and the scripts alone, in DIR.
scratch() { mkdir -p "$1" && cp -r "$ombex_root/Makefile" "$ombex_root/scripts" "$1/"; }
# make_as_user ARGS...: make as a user runs it, not as a step of the make that runs the tests.
make_as_user() { env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make "$@"; }

one_line() { [ "$(wc -l <"$1")" = 1 ] && grep -q "${@:2}" "$1"; }

# refuses PATTERN COMMAND...: COMMAND fails in one line where grep finds PATTERN.
refuses() {
    fails "${@:2}" >"$work/said" 2>&1 && one_line "$work/said" "$1" && return
    echo "  ${*:2} said: $(cat "$work/said")" && return 1
}

# pack OUT [NAME=VALUE...]: make dist into OUT with those settings, detached
# from any terminal so that a prompt fails at once instead of waiting; what
# it says goes to OUT.log and OUT.err. packed: a packing that must succeed.
pack() { timeout 120 setsid -w env "${@:2}" "$ombex_root/scripts/dist" "$1" </dev/null >"$1.log" 2>"$1.err"; }
packed() { pack "$@" || { echo "  make dist${2:+ ${*:2}} ended with code $?: $(cat "$1.err")"; return 1; }; }

# unlike N COMMAND...: COMMAND under a umask and a time zone of round N's own,
# so that rounds whose results must not differ are made under other ones.
unlike() { (umask 0$(($1 * 2))2 && TZ=$([ "$1" = 1 ] && echo XXX-14 || echo YYY+12) "${@:2}"); }

# sums DIR: SHA256SUMS in DIR checks out.
sums() { (cd "$1" && sha256sum --quiet -c SHA256SUMS); }

# unpack ZIP DIR: the zip unpacked into DIR, whose SHA256SUMS checks out.
unpack() { unzip -q "$1" -d "$2" && sums "$2"; }

# build_in BUILDINFO ARCH: the file that BUILDINFO names as ARCH's build.
build_in() { tr -d '\r' <"$1" | sed -n "s/^build $2: //p"; }

# committed FORMAT: the time of the last commit, in UTC, as date +FORMAT writes it.
committed() { date -u -d "@$(git -C "$ombex_root" log -1 --format=%ct)" "+$1"; }
