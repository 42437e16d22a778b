#!/usr/bin/env bash
# Checks a VST3 bundle as a host finds it: check_module.sh <objdump> <bundle folder>.
# The DLL sits at <bundle>/Contents/x86_64-win/<bundle name>, is a PE32+ x86-64 image, exports
# exactly GetPluginFactory, InitDll and ExitDll, undecorated, and imports only Windows system DLLs.
set -euo pipefail
objdump=$1
bundle=${2%/}
name=$(basename "$bundle")
dll=$bundle/Contents/x86_64-win/$name
status=0
fail() { echo "check_module: $*" >&2; status=1; }

[[ $name == *.vst3 ]] || fail "the bundle folder $name does not end in .vst3"
[ -f "$dll" ] || { fail "no DLL at $dll"; exit 1; }
headers=$("$objdump" -p "$dll")
grep -q "file format pei-x86-64" <<<"$headers" || fail "$dll is not a PE32+ x86-64 image"

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$exports" = "ExitDll GetPluginFactory InitDll " ] || fail "exports are '$exports', not ExitDll GetPluginFactory InitDll"

allowed=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll wininet.dll "
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z')
for lib in $imports; do
  [[ $allowed == *" $lib "* ]] || fail "imports $lib, which is not a Windows system DLL"
done

[ $status -eq 0 ] && echo "check_module: $name: exports $exports; imports $(tr '\n' ' ' <<<"$imports")"
exit $status
