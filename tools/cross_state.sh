#!/usr/bin/env bash
# The parameter state carried between a deliverable and the VST3 one: a state stored by the
# other format's test host (settings away from the defaults) restores the same parameters as a
# state of the VST3 bundle, and that state, stored again by the VST3 bundle, restores the same
# state in the other format. Every format carries the same 152 parameter bytes: after the
# 8-byte chunk header of a VST2 program, after the host's 56-byte record header of an AAX chunk,
# before the 4-byte bypass flag of a VST3 state.
# Usage: cross_state.sh <wine-run> <prefix> vst2|aax <host.exe> <plug-in> <vst3host.exe> <bundle> <work dir>
set -euo pipefail
run=$1 prefix=$2 format=$3 host=$4 plugin=$5 host3=$6 bundle=$7 work=$8
case $format in
  vst2) loader=/usr/lib/wine/wine header=8 ;;
  aax) loader=/usr/lib/wine/wine64 header=56 ;;
  *) echo "cross_state: unknown format $format" >&2; exit 2 ;;
esac
mkdir -p "$work"
cd "$work"
rm -f stored.bin state-in.bin state-out.bin back.bin stored2.bin
"$run" "$loader" "$prefix" "$host" state "$plugin" --out stored.bin \
  Gain=61.5 Preamp=Stygra Cabinet=Tassoven Threshold=-47.25 Lowpass=12345 DjentTone=4.5 PedalBypass=on </dev/null
[ "$(stat -c %s stored.bin)" -eq $((header + 152)) ] ||
  { echo "cross_state: the $format state is not $header + 152 bytes" >&2; exit 1; }
{ tail -c +$((header + 1)) stored.bin; printf '\0\0\0\0'; } >state-in.bin
"$run" /usr/lib/wine/wine64 "$prefix" "$host3" state "$bundle" --in state-in.bin --out state-out.bin </dev/null
cmp <(head -c 152 state-out.bin) <(tail -c +$((header + 1)) stored.bin) ||
  { echo "cross_state: the VST3 bundle did not restore the $format state's parameters" >&2; exit 1; }
{ head -c "$header" stored.bin; head -c 152 state-out.bin; } >back.bin
"$run" "$loader" "$prefix" "$host" state "$plugin" --in back.bin --out stored2.bin </dev/null
cmp stored.bin stored2.bin ||
  { echo "cross_state: the $format plug-in did not restore the VST3 state's parameters" >&2; exit 1; }
echo "cross_state: 152 parameter bytes carried $format -> VST3 -> $format unchanged"
echo "1 passed, 0 failed"
