#!/usr/bin/env bash
# kvt-batch on inputs that are no parameter files, and on a bar of two million segments with
# detail output: each bad input is refused within a second in one line, and memory stays bounded
# (peak resident size under 50 MB for the bad inputs, under 64 MB for the long bar). Memory is
# checked only in an uninstrumented build: the sanitizers' own bookkeeping grows with the work,
# and there the bar is ten times shorter, for the time the instrumented build takes.
#   kvt_batch_limits_test.sh KVT-BATCH EXAMPLES CHECK-MEMORY(ON/OFF)
set -u
batch=$1
examples=$2
check_memory=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
[ -x /usr/bin/time ] || fail "GNU time is missing (Debian package time, installed by ./test)"

# Runs kvt-batch with a time limit; sets status, kilobytes (peak resident) and the outputs.
run() {
  /usr/bin/time -f '%M' -o rss.txt timeout 60 "$batch" "$@" >out.txt 2>err.txt
  status=$?
  kilobytes=$(tail -n 1 rss.txt)
}

mkfifo pipe.kvt
truncate -s 2G huge.kvt  # sparse: two gigabytes of zeros without a line end
for input in /dev/zero /dev/full pipe.kvt huge.kvt; do
  started=$(date +%s%N)
  run "$input"
  elapsed_ms=$((($(date +%s%N) - started) / 1000000))
  [ "$status" -eq 1 ] || fail "$input: exit status $status, expected 1"
  [ "$elapsed_ms" -lt 1000 ] || fail "$input: took $elapsed_ms ms"
  [ "$(wc -l <err.txt)" -eq 1 ] || fail "$input: not one line: $(cat err.txt)"
  grep -q "could not be read" err.txt || fail "$input: $(cat err.txt)"
  if [ "$check_memory" = ON ]; then
    [ "$kilobytes" -lt 51200 ] || fail "$input: peak memory $kilobytes kB"
  fi
  echo "$input: refused in $elapsed_ms ms, peak $kilobytes kB: $(cat err.txt)"
done

# Two million segments (lb = 20000 cm, Δl = 0.01 cm); a negative ru gives no bond stress, so
# the run ends with its first step, whose rows go to /dev/null through a link.
lb=20000
[ "$check_memory" = ON ] || lb=2000
awk -v lb="$lb" 'BEGIN { RS = "\r\n"; ORS = "\r\n" }
     NR == 4 { $0 = "0.01" } NR == 5 { $0 = "-3.25" } NR == 6 { $0 = lb } { print }' \
  "$examples/default.kvt" >long.kvt
ln -s /dev/null long.T-S
run --detail long.kvt
[ "$status" -eq 0 ] || fail "long bar: exit status $status: $(cat err.txt)"
grep -q '^long.kvt: 1 steps' out.txt || fail "long bar: $(cat out.txt)"
if [ "$check_memory" = ON ]; then
  [ "$kilobytes" -lt 65536 ] || fail "long bar with detail output: peak memory $kilobytes kB"
fi
echo "$((lb * 100)) segments with detail output: peak $kilobytes kB"
echo "kvt-batch limits: ok"
