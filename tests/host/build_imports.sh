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
*)      fail "no checks for this machine type" ;;
esac

described=$(file -b "$exe")
[[ $described == "$kind (stripped to external PDB)"* ]] || fail "file says '$described', not a stripped $kind"
dump=$("$OBJDUMP" -p "$exe")
# Not -q: a grep that quits at the first match can kill objdump, and pipefail would hide the match.
"$OBJDUMP" -h "$exe" | grep -E '\.debug|\.stab' >/dev/null && fail "carries debugging sections"
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr '[:lower:]' '[:upper:]' | sort | tr '\n' ' ')
[[ $dlls =~ ^GDI32\.DLL\ KERNEL32\.DLL\ (MSVCRT\.DLL\ )?USER32\.DLL\ $ ]] ||
    fail "imports $dlls: not GDI32.DLL, KERNEL32.DLL and USER32.DLL, with MSVCRT.DLL at most"
# MinGW's start-up leaves the x87 unit at 64-bit mantissas unless it calls
# MSVCRT's _fpreset, which sets the 53 that Windows starts a program with.
[ "$ARCH" != i686 ] || grep -Eq '^\s+[0-9a-f]+\s+[0-9]+\s+_fpreset$' <<<"$dump" ||
    fail "start-up does not set the x87 unit to double precision: no call of MSVCRT's _fpreset"
grep -Eq '^Time/Date\s+Thu Jan  1 00:00:00 1970' <<<"$dump" || fail "the PE header carries a time stamp"

characteristics=$(sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' <<<"$dump" | tr '\n' ' ')
for defence in $defences; do
    grep -qw "$defence" <<<"$characteristics" || fail "DllCharacteristics lack $defence: $characteristics"
done
# Without relocations a randomised image could not be moved, and Windows
# would load it at its fixed address after all.
grep -Eq '^Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation Directory' <<<"$dump" || fail "no base relocations"
# The section table, read from the file itself: no section may be both
# written and run.
u() { od -An -tu"$1" -j"$2" -N"$1" "$exe" | tr -d ' '; }
header=$(u 4 60) && sections=$(u 2 $((header + 6))) table=$((header + 24 + $(u 2 $((header + 20)))))
for ((i = 0; i < sections; i++)); do
    (( ($(u 4 $((table + 40 * i + 36))) & 0xA0000000) != 0xA0000000 )) ||
        fail "section $(head -c $((table + 40 * i + 8)) "$exe" | tail -c 8 | tr -d '\0') is writable and executable"
done
echo "$ARCH: $described; imports: $dlls; $defences, relocatable, $sections sections none both writable and executable"
