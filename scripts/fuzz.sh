#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs each for a
# fixed time, one after the other, over the committed seeds in fuzz/corpus
# plus what earlier runs found (build/fuzz/corpus, kept between runs).
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   SECONDS per target, default 60
#
# A finding stops the script with status 1; the crashing input is written to
# build/fuzz/findings/ (add it to fuzz/corpus/<target>/ with the fix). Set
# KORVANA_FUZZ_FRESH=1 to ignore the kept corpus (the test command does, so
# that CI always starts from the committed seeds only).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
all=(srecord tone_table picture_table bmp decoders strings ini cli)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DKORVANA_FUZZ=ON -DKORVANA_BUILD_UI=OFF -DKORVANA_BUILD_TESTS=OFF >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target fuzzers >/dev/null

mkdir -p build/fuzz/findings build/fuzz/logs
status=0
printf '%-14s %12s %8s %10s  %s\n' target executions cov exec/s result
for t in "${targets[@]}"; do
  corpus="build/fuzz/corpus/$t"
  [ "${KORVANA_FUZZ_FRESH:-0}" = 1 ] && corpus="$(mktemp -d)"
  mkdir -p "$corpus"
  log="build/fuzz/logs/$t.log"
  result=ok
  if ! nice -n 19 "build/fuzz/bin/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
      -rss_limit_mb=2048 -artifact_prefix="build/fuzz/findings/$t-" "$corpus" "fuzz/corpus/$t" >"$log" 2>&1; then
    result="FINDING, see $log"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  printf '%-14s %12s %8s %10s  %s\n' "$t" "${runs:-?}" "${cov:-?}" "${speed:-?}" "$result"
  [ "${KORVANA_FUZZ_FRESH:-0}" = 1 ] && rm -rf "$corpus"
done
exit $status
