#!/usr/bin/env bash
# Runs the benchmark: installs the peers' Debian packages when missing (FFTW3, KissFFT,
# zita-convolver, Guitarix's LV2 amplifier and lilv to load it, pixman), builds the bench configuration
# (native g++ with the deliverables' release flags) and runs it, then builds and runs its Windows
# x86-64 and i386 builds under Wine (our own figures only; no peers there). A peer that cannot be
# had stops the run with its reason.
# Usage: bench.sh [area]   (area: a part of an area's name, e.g. fft or conv)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAVROTEL_BUILD:-$root/build}
jobs=${KAVROTEL_JOBS:-$(nproc)}
area=${1:-}

missing=()
for p in libfftw3-dev libkissfft-dev libzita-convolver-dev guitarix-lv2 liblilv-dev lv2-dev libpixman-1-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
  if ! { $sudo_cmd apt-get update -q && $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"; }; then
    echo "bench.sh: cannot install the benchmark's peers: ${missing[*]}" >&2
    exit 1
  fi
fi

KAVROTEL_JOBS=$jobs "$root/tools/build.sh" bench >/dev/null
echo "== native"
"$build/bench/bench/kavrotel_bench" $area

# The Windows figures (x86-64: the VST3 and AAX deliverables' code; i386: the VST2 one's), where
# the cross compilers and Wine are at hand.
if command -v x86_64-w64-mingw32-g++-posix >/dev/null && [ -x /usr/lib/wine/wine64 ]; then
  png=$("$root/tools/fetch-libpng.sh" "$build/third_party")
  . "$root/tools/wine-session.sh"
  start_wine_session "$build/wineprefix"
  for target in win64:wine64 win32:wine; do
    config=${target%%:*} loader=/usr/lib/wine/${target##*:}
    [ -x "$loader" ] || continue
    cmake -S "$root" -B "$build/bench-$config" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKAVROTEL_TESTS=OFF \
      -DKAVROTEL_BENCH=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$config.cmake" \
      -DKAVROTEL_LIBPNG_SOURCE="$png" >/dev/null
    cmake --build "$build/bench-$config" -j "$jobs" --target kavrotel_bench >/dev/null
    echo "== $config (Wine)"
    # Wine's console ends lines with CR LF; the figures' lines end as the native ones do.
    "$root/tools/wine-run" "$loader" "$WINEPREFIX" "$build/bench-$config/bench/kavrotel_bench.exe" $area </dev/null |
      tr -d '\r'
  done
fi
