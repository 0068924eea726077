#!/usr/bin/env bash
# make clean's road never deletes through a mount: a folder bind-mounted
# below a scratch build tree, as the Wine 10 chroot mounts the host's /dev,
# /tmp and this checkout, keeps its file, and the mount is gone afterwards.
# A mount that is busy stops the clean in one line naming it, with nothing
# deleted. Run in a mount namespace of its own, so that nothing it mounts
# can outlive it; where mounting is not allowed it is skipped, not passed.
if [ "${1:-}" != --private ]; then
    unshare --mount --propagation private true 2>/dev/null ||
        { echo "SKIP: mounting needs root and a mount namespace, which this machine does not allow"; exit 77; }
    exec unshare --mount --propagation private bash "$0" --private
fi
. "$SOURCE_DIR/tests/lib.sh"

tree=$work/tree mounted="$work/tree/build/wine10-root/the host"
mkdir -p "$work/kept" "$mounted"
echo precious >"$work/kept/file"
echo ours >"$tree/build/made"
mount --bind "$work/kept" "$mounted"

# Busy: a process that works in the mount from its start.
cd "$mounted" && { sleep 300 & holder=$!; } && cd "$work"
check "the holder works in the mount" test "$(readlink "/proc/$holder/cwd")" = "$mounted"
check "a busy mount stops the clean in one line naming it" refuses "$mounted" "$ombex_root/scripts/clean" "$tree/build"
check "nothing is deleted while the mount stays" test -f "$tree/build/made" -a -f "$mounted/file"
kill "$holder"
wait "$holder" 2>/dev/null || true

check "the clean ends well once the mount can come down" "$ombex_root/scripts/clean" "$tree/build"
check "the mounted folder's file survives the clean" grep -qx precious "$work/kept/file"
check "the mount and the build tree are gone" test -z "$(mounts_under "$tree")" -a ! -e "$tree/build"
summary clean_mounts
