#!/usr/bin/env bash
# Checks a plug-in module as a host finds it:
#   check_module.sh <objdump> <module file> <pei-x86-64|pei-i386> <export>...
# The file is a PE image of that format, exports exactly the names given, undecorated, and
# imports only Windows system DLLs. A module inside a bundle is named by its path in the bundle.
set -euo pipefail
objdump=$1 module=$2 format=$3
shift 3
expected=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
status=0
fail() { echo "check_module: $*" >&2; status=1; }

[ -f "$module" ] || { fail "no module at $module"; exit 1; }
headers=$("$objdump" -p "$module")
grep -q "file format $format" <<<"$headers" || fail "$module is not a $format image"

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$exports" = "$expected" ] || fail "exports are '$exports', not '$expected'"

allowed=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll wininet.dll "
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z')
for lib in $imports; do
  [[ $allowed == *" $lib "* ]] || fail "imports $lib, which is not a Windows system DLL"
done

[ $status -eq 0 ] && echo "check_module: $(basename "$module"): exports $exports; imports $(tr '\n' ' ' <<<"$imports")"
exit $status
