#!/usr/bin/env bash
# OmbeX+.exe is a 32-bit GUI program that needs only the system's DLLs.
set -euo pipefail
exe="$BUILD_DIR/OmbeX+.exe"
dump=$(i686-w64-mingw32-objdump -p "$exe")
fail() { echo "FAIL: $*"; exit 1; }

grep -q 'file format pei-i386' <<<"$(i686-w64-mingw32-objdump -f "$exe")" || fail "not a 32-bit PE"
grep -Eq '^Subsystem\s+00000002' <<<"$dump" || fail "not the GUI subsystem"
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
allowed=" GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL "
for dll in $dlls; do
    [[ "$allowed" == *" $dll "* ]] || fail "imports $dll (all: $dlls)"
done
for needed in GDI32.DLL KERNEL32.DLL USER32.DLL; do
    [[ " $dlls" == *" $needed "* ]] || fail "does not import $needed (all: $dlls)"
done
grep -Eq '^Time/Date\s+Thu Jan  1 00:00:00 1970' <<<"$dump" || fail "the PE header carries a time stamp"
echo "imports: $dlls"
