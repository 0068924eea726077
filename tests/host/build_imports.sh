#!/usr/bin/env bash
# This build's OmbeX+.exe is a stripped GUI program of its machine type that
# needs only the system's DLLs and carries no time stamp, and its header
# asks Windows for every defence that a program of its kind can have: a
# randomised, movable image, data that never runs, no exception handlers
# of its own (32-bit) and high addresses (64-bit).
. "$SOURCE_DIR/tests/lib.sh"
exe="$BUILD_DIR/OmbeX+.exe"
case $ARCH in
i686)   kind='PE32 executable (GUI) Intel 80386' defences='DYNAMIC_BASE NX_COMPAT NO_SEH' ;;
x86_64) kind='PE32+ executable (GUI) x86-64' defences='DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA' ;;
*)      die "no checks for machine type $ARCH" ;;
esac

described=$(file -b "$exe")
check "a stripped $kind, not what file says: '$described'" grep -q "^$kind (stripped to external PDB)" <<<"$described"
dump=$("$OBJDUMP" -p "$exe")
# Not -q: a grep that quits at the first match can kill objdump, and pipefail would hide the match.
check "carries no debugging sections" fails grep -E '\.debug|\.stab' <("$OBJDUMP" -h "$exe")
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr '[:lower:]' '[:upper:]' | sort | tr '\n' ' ')
check "imports $dlls: not GDI32.DLL, KERNEL32.DLL and USER32.DLL, with MSVCRT.DLL at most" \
    grep -Eq '^GDI32\.DLL KERNEL32\.DLL (MSVCRT\.DLL )?USER32\.DLL $' <<<"$dlls"
check "the PE header carries no time stamp" grep -Eq '^Time/Date\s+Thu Jan  1 00:00:00 1970' <<<"$dump"
# MinGW's start-up leaves the x87 unit at 64-bit mantissas unless it calls
# MSVCRT's _fpreset, which sets the 53 that Windows starts a program with.
[ "$ARCH" != i686 ] || check "start-up sets the x87 unit to double precision: it calls MSVCRT's _fpreset" \
    grep -Eq '^\s+[0-9a-f]+\s+[0-9]+\s+_fpreset$' <<<"$dump"

characteristics=$(sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' <<<"$dump" | tr '\n' ' ')
for defence in $defences; do
    check "DllCharacteristics hold $defence: $characteristics" grep -qw "$defence" <<<"$characteristics"
done
# Without relocations a randomised image could not be moved, and Windows
# would load it at its fixed address after all.
check "base relocations" grep -Eq '^Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation Directory' <<<"$dump"
# The section table, read from the file itself: no section may be both
# written and run.
u() { od -An -tu"$1" -j"$2" -N"$1" "$exe" | tr -d ' '; }
header=$(u 4 60) && sections=$(u 2 $((header + 6))) table=$((header + 24 + $(u 2 $((header + 20)))))
for ((i = 0; i < sections; i++)); do
    check "section $(head -c $((table + 40 * i + 8)) "$exe" | tail -c 8 | tr -d '\0') is not writable and executable" \
        test $(($(u 4 $((table + 40 * i + 36))) & 0xA0000000)) != $((0xA0000000))
done
echo "$ARCH: $described; imports: $dlls; $defences, relocatable, $sections sections none both writable and executable"
