#!/usr/bin/env bash
# The test command: installs what is missing, builds the configurations and runs every test
# suite (natively under the sanitizers, the Windows ones under Wine with a virtual display, the
# threaded suites under ThreadSanitizer), then builds the fuzz configuration and replays every
# fuzz corpus and regression input.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAVROTEL_BUILD:-$root/build}

"$root/tools/setup.sh"
"$root/tools/build.sh" native win64 win32 tsan

# Each test executable starts Wine once, on the one server of this session, with one virtual
# display for every window test.
. "$root/tools/wine-session.sh"
start_virtual_display
start_wine_session "$build/wineprefix"

# Where the kernel runs no i386 code, setup.sh routes i386 programs through qemu's user-mode
# emulator, which does not survive Wine programs that start many threads at once or spawn death
# tests. There the i386 suites leave those cases out; they also run natively, in win64 and
# under ThreadSanitizer.
i386_filter=
if [ -e /proc/sys/fs/binfmt_misc/kavrotel-i386 ]; then
  i386_filter='-*Threads*:*Concurrent*:*DeathTest*'
fi

status=0
for config in native win64 win32 tsan; do
  echo "== testing $config"
  filter=
  if [ "$config" = win32 ] && [ -n "$i386_filter" ]; then
    filter=$i386_filter
    echo "== win32 runs through qemu: threaded cases left out ($filter)"
  fi
  # The ThreadSanitizer tests set their own TSAN_OPTIONS (a report fails the test).
  export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1
  if ! env ${filter:+GTEST_FILTER=$filter} ctest --test-dir "$build/$config" --output-on-failure -j "$(nproc)"; then
    status=1
  fi
  log=$build/$config/Testing/Temporary/LastTest.log
  cases=$(grep -ho '^\[==========\] [0-9]* tests\? from' "$log" 2>/dev/null | awk '{s += $2} END {print s + 0}')
  echo "== $config: $cases test cases"
done

"$root/tools/build.sh" fuzz
echo "== testing fuzz"
if ! ctest --test-dir "$build/fuzz" --output-on-failure -j "$(nproc)"; then
  status=1
fi
inputs=$(grep -ho '^replaying [0-9]* inputs' "$build/fuzz/Testing/Temporary/LastTest.log" 2>/dev/null | awk '{s += $2} END {print s + 0}')
echo "== fuzz: $inputs inputs replayed"
exit $status
