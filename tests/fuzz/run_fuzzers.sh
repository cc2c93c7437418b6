#!/usr/bin/env bash
# Runs every fuzz target of build/fuzz for SECONDS each, on a working corpus grown from the
# seeds in tests/fuzz/corpus; prints the executions and whether a crash was found.
#   tests/fuzz/run_fuzzers.sh SECONDS
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
seconds=${1:-60}
status=0
# Every target of the tree: tests/fuzz/NAME_fuzz.cpp with its seeds in tests/fuzz/corpus/NAME.
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
  target=$(basename "$source" _fuzz.cpp)
  corpus="$root/build/fuzz/corpus/$target"
  crashes="$root/build/fuzz/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  log="$root/build/fuzz/$target.log"
  "$root/build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" -timeout=10 -rss_limit_mb=2048 \
    "$corpus" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1
  result=$?
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  if [ "$result" -eq 0 ]; then
    echo "$target: ${runs:-?} executions in ${seconds} s, no crash"
  else
    echo "$target: CRASH after ${runs:-?} executions; input saved in $crashes, log $log"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
