#!/usr/bin/env bash
# make clean, with no arguments, in a copy of the scripts: it removes both
# builds and dist/, and never deletes through a mount. Nested bind mounts
# below a build, as the Wine 10 chroot mounts the host's /dev with /dev/pts
# inside, come down innermost first and keep their files. A mount that is
# busy stops the clean in one line naming it, with nothing deleted. Run in a
# mount namespace of its own, so that nothing it mounts can outlive it; where
# mounting is not allowed it is skipped, not passed.
if [ "${1:-}" != --private ]; then
    unshare --mount --propagation private true 2>/dev/null ||
        { echo "SKIP: mounting needs root and a mount namespace, which this machine does not allow"; exit 77; }
    exec unshare --mount --propagation private bash "$0" --private
fi
. "$SOURCE_DIR/tests/lib.sh"

scratch tree
jail=$work/tree/build/wine10-root made=(dist)
for arch in "${ombex_arches[@]}"; do made+=("$(build_dir "$arch")"); done
for dir in "${made[@]}"; do mkdir -p "tree/$dir" && touch "tree/$dir/made"; done
mkdir -p host/dev/pts "$jail/dev"
echo precious | tee host/dev/file >host/dev/pts/file
mount --bind host/dev "$jail/dev" && mount --bind host/dev/pts "$jail/dev/pts"

# Busy: a process that works in the innermost mount from its start.
cd "$jail/dev/pts" && { sleep 300 & holder=$!; } && cd "$work"
check "the holder works in the mount" test "$(readlink "/proc/$holder/cwd")" = "$jail/dev/pts"
check "a busy mount stops the clean in one line naming it" refuses "$jail/dev/pts is still mounted" tree/scripts/clean
check "nothing is deleted while the mount stays" test -f tree/dist/made -a -f "$jail/dev/pts/file"
kill "$holder"
wait "$holder" 2>/dev/null || true

check "make clean takes the nested mounts down, innermost first" make_as_user -C tree clean
check "the mounted folders' files survive the clean" grep -qx precious host/dev/file
check "so do the files of the folder mounted inside" grep -qx precious host/dev/pts/file
check "the mounts are gone, and with them ${made[*]}" test -z "$(mounts_under tree)$(cd tree && ls -d "${made[@]}" 2>/dev/null)"
check "the rest of the checkout stays" test -f tree/Makefile -a -x tree/scripts/clean
