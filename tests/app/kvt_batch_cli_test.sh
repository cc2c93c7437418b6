#!/usr/bin/env bash
# kvt-batch from the command line: two files, one of them broken. Expects one result file, one
# clear error naming the broken file, and a non-zero exit status.
set -u
batch=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/default.kvt" "$work/beam1.kvt"
head -c 40 "$examples/default.kvt" >"$work/broken.kvt"
cd "$work"

"$batch" beam1.kvt broken.kvt >out.txt 2>err.txt
status=$?
fail() { echo "FAIL: $*"; echo "stdout:"; cat out.txt; echo "stderr:"; cat err.txt; exit 1; }

[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
grep -q '^beam1.kvt: 432 steps, .* → beam1.T-S$' out.txt || fail "no summary line for beam1.kvt"
grep -q 'broken.kvt.*ends after 3 lines' err.txt || fail "no error naming broken.kvt"
[ "$(wc -l <beam1.T-S)" -eq 436 ] || fail "beam1.T-S does not have 436 lines"
tail -n 1 beam1.T-S | grep -q '0.000e+00            0.00' || fail "last row is not the zero-force row"
[ ! -e broken.T-S ] || fail "a result file was written for the broken file"
"$batch" --help | grep -q -- '--no-detail' || fail "--help does not explain the options"
"$batch" --bogus >/dev/null 2>&1 && fail "an unknown option was accepted"

# Qt is loaded only when figures are asked for, and then needs no display.
LD_DEBUG=files "$batch" beam1.kvt >/dev/null 2>libs.txt
grep -q 'libQt6' libs.txt && fail "a plain run loaded Qt"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$batch" --figures png,pdf beam1.kvt \
  >out.txt 2>err.txt || fail "--figures failed"
# Standard error holds the one note on the march's bar (lb 20 in segments of 0.65 cm), no more.
grep -q 'beam1.kvt: lb 20 is analysed as 20.15 cm: 31 segments of 0.65 cm$' err.txt ||
  fail "no note of the length the march analyses"
[ "$(wc -l <err.txt)" -eq 1 ] || fail "--figures wrote to standard error"
[ -s beam1.load-slip.png ] && [ -s beam1.profile.step251.pdf ] || fail "figures are missing"

# Figures are drawn offscreen whatever platform the desktop chose, and never without a font.
rm -f beam1.*.png
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$batch" --figures png beam1.kvt >out.txt 2>err.txt ||
  fail "QT_QPA_PLATFORM=xcb without a display stopped the figures"
[ -s beam1.load-slip.png ] || fail "QT_QPA_PLATFORM=xcb: no figure"
mkdir fonts && printf '<fontconfig><dir>%s</dir><cachedir>%s</cachedir></fontconfig>\n' \
  "$work/fonts" "$work/fonts" >fonts/fonts.conf
rm -f beam1.*.png
FONTCONFIG_FILE="$work/fonts/fonts.conf" "$batch" --figures png beam1.kvt >out.txt 2>err.txt
[ $? -eq 1 ] || fail "figures without a font did not fail"
grep -q "no usable font: fontconfig (set up by FONTCONFIG_FILE=$work/fonts/fonts.conf)" err.txt ||
  fail "the missing font's message does not name the fontconfig set-up"
ls beam1.*.png >/dev/null 2>&1 && fail "figures without a font were written"

# The figure module is found from where the program is, never from where it was built, and only
# where no other user could have put it.
strings -d "$batch" | grep -qF "$(dirname "$(dirname "$batch")")" &&
  fail "kvt-batch holds the path of its build tree"
mkdir open && cp "$batch" "$(dirname "$batch")/kvt-figures.so" open/ && chmod 777 open
open/kvt-batch --figures png beam1.kvt >out.txt 2>err.txt && fail "a module others can write was loaded"
grep -q "open/kvt-figures.so is not loaded: its folder .*/open can be written by other users" err.txt ||
  fail "the refused module's message does not say why"
ls beam1.*.png >/dev/null 2>&1 && fail "figures were drawn by a module others can write"
if [ "$(id -u)" -eq 0 ] && unshare -m true 2>/dev/null; then
  unshare -m sh -c 'umount -l /proc && exec "$0" --figures png beam1.kvt' "$batch" >out.txt 2>err.txt
  grep -q 'kvt-figures.so cannot be found: /proc/self/exe cannot be read' err.txt ||
    fail "without /proc the module was not reported missing"
else
  echo "skipped: kvt-batch without /proc needs root, to unmount /proc in a namespace of its own"
fi

# A study: one summary row per run; a mistake in it stops the job before anything is written.
"$batch" --vary lb=10,20 --vary bar=D13 -j2 beam1.kvt >out.txt 2>err.txt || fail "study failed"
[ "$(wc -l <beam1.study.csv)" -eq 3 ] || fail "the summary does not have a header and 2 rows"
grep -q '^beam1.kvt: 2 runs, 2 finished → beam1.study.csv$' out.txt || fail "no study line"
# Two studies writing one summary at once: the second fails at once and names it; the first's
# summary is whole. The first is held still while the second starts.
"$batch" --vary deltaL=0.0005:0.005:0.0005 -j1 beam1.kvt >first.txt 2>&1 &
first=$!
for _ in $(seq 500); do [ -e beam1.study.csv.part ] && break; sleep 0.01; done
kill -STOP "$first" || fail "the first study ended before the second could start"
"$batch" --vary lb=10,20 beam1.kvt >out.txt 2>err.txt
status=$?
kill -CONT "$first"
wait "$first" || fail "the first study failed: $(cat first.txt)"
[ $status -eq 1 ] || fail "a second study on the same summary exited with $status"
grep -q "beam1.study.csv\" could not be written: another kvt-batch is writing it now" err.txt ||
  fail "the second study does not name the summary it was refused"
[ "$(wc -l <beam1.study.csv)" -eq 11 ] && ! grep -q lb, beam1.study.csv ||
  fail "the summary is not the first study's alone"
"$batch" --vary lb=10:0:5 --output-dir new beam1.kvt >out.txt 2>err.txt
[ $? -eq 2 ] || fail "a range with a step of the wrong sign did not exit with 2"
[ "$(wc -l <err.txt)" -eq 2 ] || fail "more than one line and the hint for a bad range"
[ ! -e new ] || fail "a bad range created the output folder"
"$batch" --vary lb=10 broken.kvt >out.txt 2>err.txt
[ $? -eq 2 ] || fail "a study of a broken base file did not exit with 2"
[ ! -e broken.study.csv ] && [ ! -e broken.study.csv.part ] || fail "a summary of a broken file"
echo "kvt-batch command line: ok"
