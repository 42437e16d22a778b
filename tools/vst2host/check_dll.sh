#!/usr/bin/env bash
# Checks the VST2 DLL as a host finds it: check_dll.sh <objdump> <dll>. A PE32 i386 image that
# exports exactly VSTPluginMain and main, undecorated, and imports only Windows system DLLs.
set -euo pipefail
objdump=$1
dll=$2
status=0
fail() { echo "check_dll: $*" >&2; status=1; }

[ -f "$dll" ] || { fail "no DLL at $dll"; exit 1; }
headers=$("$objdump" -p "$dll")
grep -q "file format pei-i386" <<<"$headers" || fail "$dll is not a PE32 i386 image"
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$exports" = "VSTPluginMain main " ] || fail "exports are '$exports', not VSTPluginMain main"
allowed=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll wininet.dll "
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z')
for lib in $imports; do
  [[ $allowed == *" $lib "* ]] || fail "imports $lib, which is not a Windows system DLL"
done
[ $status -eq 0 ] && echo "check_dll: $(basename "$dll"): exports $exports; imports $(tr '\n' ' ' <<<"$imports")"
exit $status
