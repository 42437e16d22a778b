#!/usr/bin/env bash
# The main job: installs what is missing, builds every configuration, gathers the deliverables
# in dist/ and renders the demo through the shipped VST3 bundle under Wine (the embedded riff
# through the default settings), printing its input and output levels.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAVROTEL_BUILD:-$root/build}
dist=$root/dist

"$root/tools/setup.sh"
"$root/tools/build.sh" native win64 win32
echo "== built: native, win64 and win32 configurations under $build"

rm -rf "$dist"
mkdir -p "$dist"
bundle=$build/win64/Kavrotel.vst3
if [ ! -f "$bundle/Contents/x86_64-win/Kavrotel.vst3" ]; then
  echo "main.sh: the VST3 bundle was not built ($bundle)" >&2
  exit 1
fi
cp -r "$bundle" "$dist/"
# The other deliverables, as far as they are built.
for file in "$build/win32/Kavrotel.dll" "$build/win64/Kavrotel.aaxplugin"; do
  if [ -e "$file" ]; then cp -r "$file" "$dist/"; fi
done

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
# Boot the prefix away from our pipes (Wine's background services would hold them open).
WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1

echo "== rendering the demo through $dist/Kavrotel.vst3"
"$root/tools/wine-run" /usr/lib/wine/wine64 "$WINEPREFIX" "$build/win64/tools/vst3host/vst3host.exe" \
  render "$dist/Kavrotel.vst3" --out "$dist/Kavrotel-demo.wav" </dev/null
echo "== dist/:"
ls -1 "$dist"
