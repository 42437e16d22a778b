#!/usr/bin/env bash
# The parameter state carried between the two deliverables: a program chunk stored by the VST2 DLL
# (with settings away from the defaults) restores the same parameters as a state of the VST3
# bundle, and that state, stored again by the VST3 bundle, restores the same program in the VST2
# DLL. Both carry the same 152 bytes after their headers (8 bytes of chunk header for VST2, none
# for VST3, which appends its 4-byte bypass flag).
# Usage: cross_state.sh <wine-run> <prefix> <vst2host.exe> <Kavrotel.dll> <vst3host.exe> <bundle> <work dir>
set -euo pipefail
run=$1 prefix=$2 host2=$3 dll=$4 host3=$5 bundle=$6 work=$7
mkdir -p "$work"
cd "$work"
rm -f program.bin state-in.bin state-out.bin program-back.bin program2.bin
"$run" /usr/lib/wine/wine "$prefix" "$host2" state "$dll" --out program.bin \
  Gain=61.5 Preamp=Stygra Cabinet=Tassoven Threshold=-47.25 Lowpass=12345 DjentTone=4.5 PedalBypass=on </dev/null
[ "$(stat -c %s program.bin)" -eq 160 ] || { echo "cross_state: the program chunk is not 160 bytes" >&2; exit 1; }
{ tail -c +9 program.bin; printf '\0\0\0\0'; } >state-in.bin
"$run" /usr/lib/wine/wine64 "$prefix" "$host3" state "$bundle" --in state-in.bin --out state-out.bin </dev/null
cmp <(head -c 152 state-out.bin) <(tail -c +9 program.bin) ||
  { echo "cross_state: the VST3 bundle did not restore the VST2 program's parameters" >&2; exit 1; }
{ head -c 8 program.bin; head -c 152 state-out.bin; } >program-back.bin
"$run" /usr/lib/wine/wine "$prefix" "$host2" state "$dll" --in program-back.bin --out program2.bin </dev/null
cmp program.bin program2.bin ||
  { echo "cross_state: the VST2 DLL did not restore the VST3 state's parameters" >&2; exit 1; }
echo "cross_state: 152 parameter bytes carried VST2 -> VST3 -> VST2 unchanged"
echo "1 passed, 0 failed"
