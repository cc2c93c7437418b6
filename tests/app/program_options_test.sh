#!/usr/bin/env bash
# The options every Linux program answers: --version and --help without a display, an unknown
# option told in one line with a pointer to --help, and "--" before a file whose name starts
# with a dash.
set -u
kvt=$1
batch=$2
version=$3
examples=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# Qt would otherwise tell on standard error that it has no runtime folder.
mkdir -m 700 "$work/runtime" && export XDG_RUNTIME_DIR="$work/runtime"
fail() { echo "FAIL: $*"; for f in out.txt err.txt; do [ -e $f ] && { echo "$f:"; cat $f; }; done; exit 1; }
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }

for program in "$kvt" "$batch"; do
  name=$(basename "$program")
  nodisplay "$program" --version >out.txt 2>err.txt || fail "$name --version failed"
  [ "$(cat out.txt)" = "$name $version" ] || fail "$name --version does not print '$name $version'"
  nodisplay "$program" --help >out.txt 2>err.txt || fail "$name --help failed"
  grep -q "^usage: $name " out.txt || fail "$name --help shows no usage"
  [ ! -s err.txt ] || fail "$name --help wrote to standard error"
done

# An unknown option: one line naming it, then where to look; not the whole usage.
for program in "$kvt" "$batch"; do
  name=$(basename "$program")
  QT_QPA_PLATFORM=offscreen "$program" --bogus a.kvt >out.txt 2>err.txt
  [ $? -eq 2 ] || fail "$name --bogus did not exit with status 2"
  printf '%s\n' "$name: unknown option --bogus" "Try '$name --help' for more information." \
    >expected.txt
  cmp -s err.txt expected.txt || fail "$name --bogus did not answer in the two expected lines"
  [ ! -s out.txt ] || fail "$name --bogus printed the usage"
done

# "--" ends the options: a parameter file may start with a dash.
cp "$examples/default.kvt" ./-beam.kvt
"$batch" -- -beam.kvt >out.txt 2>err.txt || fail "kvt-batch -- -beam.kvt failed"
[ -e ./-beam.T-S ] || fail "no result file for -beam.kvt"
# Entries read only in part are named on standard error, one line each, and so is the length
# the march analyses when it is not lb; the run goes on.
sed 's/^20\.00\r$/20,5\r/; s/^360\.00\r$/abc\r/' "$examples/default.kvt" >beam1.kvt
"$batch" beam1.kvt >out.txt 2>err.txt || fail "kvt-batch beam1.kvt failed"
printf '%s\n' 'kvt-batch: beam1.kvt: lb "20,5" is read as 20' \
  'kvt-batch: beam1.kvt: σB "abc" is read as 0' \
  'kvt-batch: beam1.kvt: lb 20 is analysed as 20.15 cm: 31 segments of 0.65 cm' >expected.txt
cmp -s err.txt expected.txt || fail "entries read in part were not named as expected"
grep -q '^beam1.kvt: .* steps' out.txt || fail "no summary for beam1.kvt"
echo "program options: ok"
