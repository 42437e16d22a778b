#!/usr/bin/env bash
# The parameter state carried between the AAX and VST3 deliverables: a state chunk saved by the
# AAX plug-in (with settings away from the defaults) restores the same parameters as a state of
# the VST3 bundle, and that state, saved again by the VST3 bundle, restores the same chunk in the
# AAX plug-in. Both carry the same 152 bytes: after the host's 56-byte chunk header for AAX,
# before the 4-byte bypass flag for VST3.
# Usage: cross_state.sh <wine-run> <prefix> <aaxhost.exe> <Kavrotel.aaxplugin> <vst3host.exe> <bundle> <work dir>
set -euo pipefail
run=$1 prefix=$2 hostA=$3 aax=$4 host3=$5 bundle=$6 work=$7
mkdir -p "$work"
cd "$work"
rm -f chunk.bin state-in.bin state-out.bin chunk-back.bin chunk2.bin
"$run" /usr/lib/wine/wine64 "$prefix" "$hostA" state "$aax" --out chunk.bin \
  Gain=61.5 Preamp=Stygra Cabinet=Tassoven Threshold=-47.25 Lowpass=12345 DjentTone=4.5 PedalBypass=on </dev/null
[ "$(stat -c %s chunk.bin)" -eq 208 ] || { echo "cross_state: the AAX chunk record is not 56 + 152 bytes" >&2; exit 1; }
{ tail -c +57 chunk.bin; printf '\0\0\0\0'; } >state-in.bin
"$run" /usr/lib/wine/wine64 "$prefix" "$host3" state "$bundle" --in state-in.bin --out state-out.bin </dev/null
cmp <(head -c 152 state-out.bin) <(tail -c +57 chunk.bin) ||
  { echo "cross_state: the VST3 bundle did not restore the AAX chunk's parameters" >&2; exit 1; }
{ head -c 56 chunk.bin; head -c 152 state-out.bin; } >chunk-back.bin
"$run" /usr/lib/wine/wine64 "$prefix" "$hostA" state "$aax" --in chunk-back.bin --out chunk2.bin </dev/null
cmp chunk.bin chunk2.bin ||
  { echo "cross_state: the AAX plug-in did not restore the VST3 state's parameters" >&2; exit 1; }
echo "cross_state: 152 parameter bytes carried AAX -> VST3 -> AAX unchanged"
echo "1 passed, 0 failed"
