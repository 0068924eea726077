#!/usr/bin/env bash
# This build's OmbeX+.exe is a stripped GUI program of its machine type that
# needs only the system's DLLs and carries no time stamp.
set -euo pipefail
exe="$BUILD_DIR/OmbeX+.exe"
fail() { echo "FAIL ($ARCH): $*"; exit 1; }
case $ARCH in
i686)   kind='PE32 executable (GUI) Intel 80386' format=pei-i386 ;;
x86_64) kind='PE32+ executable (GUI) x86-64' format=pei-x86-64 ;;
*)      fail "no checks for this machine type" ;;
esac

described=$(file -b "$exe")
[[ $described == "$kind"* ]] || fail "file says '$described', not '$kind'"
[[ $described == *"(stripped to external PDB)"* ]] || fail "not stripped: $described"
dump=$("$OBJDUMP" -p "$exe")
grep -q "file format $format" <<<"$("$OBJDUMP" -f "$exe")" || fail "not $format"
grep -Eq '^Subsystem\s+00000002' <<<"$dump" || fail "not the GUI subsystem"
"$OBJDUMP" -h "$exe" | grep -Eq '\.debug|\.stab' && fail "carries debugging sections"
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
allowed=" GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL "
for dll in $dlls; do
    [[ "$allowed" == *" $dll "* ]] || fail "imports $dll (all: $dlls)"
done
for needed in GDI32.DLL KERNEL32.DLL USER32.DLL; do
    [[ " $dlls" == *" $needed "* ]] || fail "does not import $needed (all: $dlls)"
done
grep -Eq '^Time/Date\s+Thu Jan  1 00:00:00 1970' <<<"$dump" || fail "the PE header carries a time stamp"
echo "$ARCH: $described; imports: $dlls"
