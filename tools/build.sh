#!/usr/bin/env bash
# Configures and builds one or more configurations under build/:
#   native  g++ with AddressSanitizer and UndefinedBehaviorSanitizer, every portable file and its tests
#   win64   mingw-w64 x86-64: the VST3 and AAX deliverables and their tests (run under wine64)
#   win32   mingw-w64 i386: the VST2 deliverable and its tests (run under wine)
#   bench   g++ with the deliverables' release flags, the benchmark
#   tsan    g++ with ThreadSanitizer, only the test executables whose cases start threads
#   fuzz    clang with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer: the fuzz
#           targets (tests/fuzz) and the replays of their corpora
# Usage: build.sh <configuration>...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAVROTEL_BUILD:-$root/build}
jobs=${KAVROTEL_JOBS:-$(nproc)}

configure() {
  local config=$1 dir=$build/$1
  local args=(-S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release)
  case $config in
    native) args+=(-DKAVROTEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    bench) args+=(-DKAVROTEL_TESTS=OFF -DKAVROTEL_BENCH=ON) ;;
    tsan) args+=(-DKAVROTEL_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    fuzz)
      local png
      png=$("$root/tools/fetch-libpng.sh" "$build/third_party")
      args+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
             -DKAVROTEL_SANITIZE=ON -DKAVROTEL_FUZZ=ON -DKAVROTEL_TESTS=OFF -DKAVROTEL_LIBPNG_SOURCE="$png")
      ;;
    win64|win32)
      local png
      png=$("$root/tools/fetch-libpng.sh" "$build/third_party")
      args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$config.cmake" -DKAVROTEL_LIBPNG_SOURCE="$png")
      ;;
    *) echo "build.sh: unknown configuration '$config'" >&2; exit 2 ;;
  esac
  cmake "${args[@]}" >/dev/null
}

for config in "$@"; do
  echo "== building $config"
  configure "$config"
  targets=()
  if [ "$config" = tsan ]; then targets=(--target kavrotel_threaded_tests); fi
  cmake --build "$build/$config" -j "$jobs" "${targets[@]}"
done
