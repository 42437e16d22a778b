#!/usr/bin/env bash
# Builds the fuzz configuration and fuzzes: every target (or one) for the seconds given, all at
# once, one process each. New inputs go to build/fuzz-runs/<target>/corpus, findings to
# build/fuzz-runs/<target>/ (crash-*, with the log beside them); the committed corpus and the
# regressions are read, never written, unless --merge adds the run's new coverage to the
# committed corpus (libFuzzer's -merge=1, counting edges only, keeps the inputs that reach an
# edge the corpus does not, which keeps it small).
# Usage: fuzz.sh [target|all] [seconds] [--merge]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAVROTEL_BUILD:-$root/build}
which=${1:-all}
seconds=${2:-60}
merge=${3:-}
targets=(wav_reader base_state text_draw vst3_state vst3_process vst3_controller vst2_chunks vst2_dispatcher png_decoder aax_parameter aax_chunk aax_effect_chunk aax_binding_chunk)
if [ "$which" != all ]; then targets=("$which"); fi

"$root/tools/build.sh" fuzz >/dev/null
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

run() {
  local t=$1 bin=$build/fuzz/tests/fuzz/fuzz_$1 out=$build/fuzz-runs/$1
  [ -x "$bin" ] || { echo "fuzz.sh: no target '$t'" >&2; return 2; }
  mkdir -p "$out/corpus" "$root/tests/fuzz/corpus/$t" "$root/tests/fuzz/regressions/$t"
  "$bin" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/" \
    "$out/corpus" "$root/tests/fuzz/corpus/$t" "$root/tests/fuzz/regressions/$t" >"$out/log" 2>&1
}

declare -A pids
for t in "${targets[@]}"; do
  run "$t" &
  pids[$t]=$!
done
status=0
for t in "${targets[@]}"; do
  if wait "${pids[$t]}"; then result=clean; else result="FINDING (see $build/fuzz-runs/$t)"; status=1; fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz-runs/$t/log" | grep -o '[0-9]*$' || echo '?')
  echo "== $t: $runs executions in ${seconds}s, $result"
  if [ "$merge" = --merge ]; then
    "$build/fuzz/tests/fuzz/fuzz_$t" -merge=1 -use_counters=0 "$root/tests/fuzz/corpus/$t" "$build/fuzz-runs/$t/corpus" \
      >"$build/fuzz-runs/$t/merge.log" 2>&1
  fi
done
exit $status
