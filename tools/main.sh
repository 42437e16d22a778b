#!/usr/bin/env bash
# The main job: installs what is missing, builds the Windows configurations, gathers the deliverables
# in dist/ and renders the demo through the shipped VST3 bundle, VST2 DLL and AAX plug-in under Wine
# (the embedded riff through the default settings), printing input and output levels and whether
# the three renders agree, and writes pictures of the editor (dist/Kavrotel-editor.png, and
# dist/Kavrotel-editor-pedal.png with the pedal on) from its window on a virtual display.
# With a WAV of one's own (a multichannel one plays its first channel), and optionally settings
# by parameter name, it renders that too:
#   bash tools/main.sh my-guitar.wav Preamp=Stygra Gain=60   ->  dist/my-guitar-Kavrotel.wav
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
user_in=
if [ $# -gt 0 ]; then
  if [ ! -f "$1" ]; then
    echo "main.sh: no such WAV file: $1" >&2
    exit 2
  fi
  user_in=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  shift
fi
build=${KAVROTEL_BUILD:-$root/build}
dist=$root/dist

"$root/tools/setup.sh"
"$root/tools/build.sh" win64 win32
echo "== built: win64 and win32 configurations under $build"

# A file of the dist/ about to be emptied is read from a copy.
user_copy=$user_in
if [ -n "$user_in" ] && [[ $user_in == "$dist"/* ]]; then
  user_copy=$build/$(basename "$user_in")
  cp "$user_in" "$user_copy"
fi
rm -rf "$dist"
mkdir -p "$dist"
bundle=$build/win64/Kavrotel.vst3
if [ ! -f "$bundle/Contents/x86_64-win/Kavrotel.vst3" ]; then
  echo "main.sh: the VST3 bundle was not built ($bundle)" >&2
  exit 1
fi
cp -r "$bundle" "$dist/"
if [ ! -f "$build/win32/Kavrotel.dll" ]; then
  echo "main.sh: the VST2 DLL was not built ($build/win32/Kavrotel.dll)" >&2
  exit 1
fi
cp "$build/win32/Kavrotel.dll" "$dist/"
if [ ! -f "$build/win64/Kavrotel.aaxplugin/Contents/x64/Kavrotel.aaxplugin" ]; then
  echo "main.sh: the AAX plug-in was not built ($build/win64/Kavrotel.aaxplugin)" >&2
  exit 1
fi
cp -r "$build/win64/Kavrotel.aaxplugin" "$dist/"

. "$root/tools/wine-session.sh"
start_virtual_display
start_wine_session "$build/wineprefix"

host=$build/win64/tools/vst3host/vst3host.exe
echo "== rendering the demo through $dist/Kavrotel.vst3"
"$root/tools/wine-run" /usr/lib/wine/wine64 "$WINEPREFIX" "$host" \
  render "$dist/Kavrotel.vst3" --out "$dist/Kavrotel-demo.wav" </dev/null
host2=$build/win32/tools/vst2host/vst2host.exe
echo "== rendering the demo through $dist/Kavrotel.dll"
"$root/tools/wine-run" /usr/lib/wine/wine "$WINEPREFIX" "$host2" \
  render "$dist/Kavrotel.dll" --out "$dist/Kavrotel-demo-vst2.wav" </dev/null
hostA=$build/win64/tools/aaxhost/aaxhost.exe
echo "== rendering the demo through $dist/Kavrotel.aaxplugin"
"$root/tools/wine-run" /usr/lib/wine/wine64 "$WINEPREFIX" "$hostA" \
  render "$dist/Kavrotel.aaxplugin" --out "$dist/Kavrotel-demo-aax.wav" </dev/null
echo "== the three renders of the demo (same input, same settings), VST2 and AAX beside VST3:"
for other in vst2 aax; do
  "$root/tools/wine-run" /usr/lib/wine/wine64 "$WINEPREFIX" "$host" \
    compare "$dist/Kavrotel-demo.wav" "$dist/Kavrotel-demo-$other.wav" </dev/null
done
echo "== the editor's picture, at the default settings and with the pedal on"
"$root/tools/wine-run" /usr/lib/wine/wine64 "$WINEPREFIX" "$host" \
  capture "$dist/Kavrotel.vst3" --out "$dist/Kavrotel-editor.png" </dev/null
"$root/tools/wine-run" /usr/lib/wine/wine64 "$WINEPREFIX" "$host" \
  capture "$dist/Kavrotel.vst3" --out "$dist/Kavrotel-editor-pedal.png" Pedal=1 </dev/null
if [ -n "$user_in" ]; then
  user_out=$dist/$(basename "${user_in%.*}")-Kavrotel.wav
  echo "== rendering $user_in through $dist/Kavrotel.vst3${*:+ with $*}"
  "$root/tools/wine-run" /usr/lib/wine/wine64 "$WINEPREFIX" "$host" \
    render "$dist/Kavrotel.vst3" --in "$user_copy" --out "$user_out" "$@" </dev/null
fi
echo "== dist/:"
ls -1 "$dist"
