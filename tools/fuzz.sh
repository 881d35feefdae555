#!/usr/bin/env bash
# Runs every fuzz target of the core for a while (default 60 s each) and prints, per target,
# the executions made and whether anything was found. Usage: tools/fuzz.sh [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
FMLAB_WITH_FUZZ=1 tools/setup.sh || exit 1
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DFMLAB_FUZZ=ON -DFMLAB_BUILD_PERF=OFF >/dev/null || exit 1
cmake --build build-fuzz --target fmlab_fuzzers -j 2 || exit 1
status=0
for target in build-fuzz/bin/*_fuzz; do
  stem=$(basename "$target" _fuzz)
  scratch=build-fuzz/long-run/$stem
  mkdir -p "$scratch"
  log=$(ASAN_OPTIONS=detect_leaks=0 "$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$scratch/" "$scratch" "tests/fuzz/corpus/$stem" 2>&1)
  code=$?
  runs=$(echo "$log" | sed -n 's/^stat::number_of_executed_units: *//p')
  if [ $code -eq 0 ]; then verdict="no findings"; else verdict="FINDING (see $scratch/)"; status=1; fi
  printf '%-16s %12s executions in %ss  %s\n' "$stem" "${runs:-?}" "$seconds" "$verdict"
done
exit $status
