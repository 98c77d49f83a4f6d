#!/usr/bin/env bash
# Proves the program against bad input and faults, in one command:
#   1. builds the libFuzzer targets (clang, build-fuzz/) and runs each for a bounded time,
#      seeded with fuzz/corpus/<target>/ (findings, if any, land in build-fuzz/findings/);
#   2. builds the whole program and its tests with AddressSanitizer and
#      UndefinedBehaviorSanitizer (build-asan/) and runs the whole test suite there;
#   3. runs the tests labelled "reliability" (failing writes, killed saves, hostile files)
#      in the ordinary build (build/).
# A summary with the figures of the run is written to build-fuzz/summary.txt (or $FK_SUMMARY).
#
#   scripts/reliability.sh            long run: 300 s per fuzz target
#   scripts/reliability.sh --short    CI run: 10 s per fuzz target
#   --seconds N       N seconds per fuzz target
#   --seed N          libFuzzer's seed (--short: 1, so a CI run can be repeated; else random)
#   --only NAME       one fuzz target only (repeatable)
#   --fuzz-only       step 1 only;   --no-fuzz    leave step 1 out
#   --no-asan         leave step 2 out; --no-labelled  leave step 3 out (test.sh has run them)
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=300
seed=0
only=()
do_fuzz=1 do_asan=1 do_labelled=1
while [ $# -gt 0 ]; do
  case $1 in
    --short) seconds=10 seed=1 ;;
    --long) seconds=300 ;;
    --seconds) seconds=$2; shift ;;
    --seed) seed=$2; shift ;;
    --only) only+=("$2"); shift ;;
    --fuzz-only) do_asan=0 do_labelled=0 ;;
    --no-fuzz) do_fuzz=0 ;;
    --no-asan) do_asan=0 ;;
    --no-labelled) do_labelled=0 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
  shift
done

jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
failed=()
mkdir -p build-fuzz
summary=${FK_SUMMARY:-build-fuzz/summary.txt}
: >"$summary"
note() { echo "$*" | tee -a "$summary"; }
stamp() { date -u +%H:%M:%S; }

if [ $do_fuzz -eq 1 ]; then
  echo "== $(stamp) fuzz targets: build (clang, build-fuzz/)"
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DFK_FUZZ=ON "${launcher[@]}" >/dev/null &&
    cmake --build build-fuzz --target fuzzers -j"$jobs" || { echo "fuzz build failed" >&2; exit 1; }

  targets=()
  if [ ${#only[@]} -gt 0 ]; then
    targets=("${only[@]}")
  else
    for src in fuzz/*.cpp; do targets+=("$(basename "$src" .cpp)"); done
  fi
  note "fuzzing: ${seconds} s per target ($(date -u '+%Y-%m-%d %H:%M UTC'))"
  for t in "${targets[@]}"; do
    work=build-fuzz/corpus/$t
    findings=build-fuzz/findings/$t
    mkdir -p "$work" "$findings"
    echo "== $(stamp) fuzz_$t (${seconds} s)"
    # The seeds are read first: every input that ever found a fault runs again on each run.
    # Leaks are left to the sanitizer test run (Qt keeps caches for the life of the process).
    log=build-fuzz/fuzz_$t.log
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "build-fuzz/fuzz_$t" -max_total_time="$seconds" -seed="$seed" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$work" "fuzz/corpus/$t" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    corpus=$(ls "$work" | wc -l)
    if [ $status -eq 0 ]; then
      note "  $t: ${runs:-?} executions, corpus $corpus inputs, no finding"
    else
      note "  $t: FINDING after ${runs:-?} executions (see $log and $findings/)"
      grep -m5 -E 'ERROR|check failed|runtime error|Timeout|out-of-memory' "$log" | tee -a "$summary"
      # The input itself, so a finding on a machine that is gone can still be replayed.
      for f in "$findings"/*; do
        [ -f "$f" ] || continue
        note "  input $(basename "$f") ($(stat -c %s "$f") bytes, first 512 as hex):"
        head -c 512 "$f" | od -An -tx1 | tee -a "$summary"
      done
      failed+=("fuzz_$t")
    fi
  done
fi

if [ $do_asan -eq 1 ]; then
  echo "== $(stamp) sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer, build-asan/)"
  # -O1 -g1: stack traces with lines, and a build much quicker than -O2 -g.
  if cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
       -DFK_SANITIZE=ON -DFK_BENCHMARKS=OFF "${launcher[@]}" >/dev/null &&
     cmake --build build-asan -j"$jobs"; then
    echo "== $(stamp) the whole test suite under the sanitizers"
    # Leak reports are kept for our code; the suppressions name Qt's and fontconfig's own
    # caches only (scripts/lsan.supp). The window tests run without leak detection: Qt's widget internals leave small blocks
    # whose stacks LeakSanitizer cannot unwind past Qt (built without frame pointers), so a
    # report there names no owner. Every address and undefined-behaviour check still applies,
    # and the core tests keep leak detection.
    asan_common=halt_on_error=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
    if (cd build-asan &&
        export QT_QPA_PLATFORM=offscreen FK_KILL_COUNT=${FK_KILL_COUNT:-60} \
          LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0 \
          UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 &&
        ASAN_OPTIONS=$asan_common:detect_leaks=1 ctest --output-on-failure -j"$jobs" --timeout 1200 -E '^ui_' >ctest.log 2>&1 &&
        ASAN_OPTIONS=$asan_common:detect_leaks=0 ctest --output-on-failure -j"$jobs" --timeout 1200 -R '^ui_' >>ctest.log 2>&1); then
      note "sanitizer suite: $(grep -E 'tests passed' build-asan/ctest.log)"
    else
      note "sanitizer suite: FAILED ($(grep -E 'tests passed|tests failed' build-asan/ctest.log))"
      grep -E '^\s+[0-9]+ - ' build-asan/ctest.log | tee -a "$summary"
      failed+=(sanitizers)
    fi
  else
    note "sanitizer build: FAILED"
    failed+=(sanitizer-build)
  fi
fi

if [ $do_labelled -eq 1 ]; then
  echo "== $(stamp) tests labelled reliability (build/)"
  bash scripts/build.sh >/dev/null || { note "build failed"; exit 1; }
  if (cd build && QT_QPA_PLATFORM=offscreen ctest -L reliability --output-on-failure -j"$jobs" --timeout 1200 \
        >ctest-reliability.log 2>&1); then
    note "reliability tests: $(grep -E 'tests passed|No tests were found' build/ctest-reliability.log)"
  else
    note "reliability tests: FAILED"
    failed+=(reliability-tests)
  fi
fi

echo "== $(stamp) summary (build-fuzz/summary.txt)"
cat "$summary"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}" >&2
  exit 1
fi
