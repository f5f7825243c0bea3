#!/usr/bin/env bash
# End to end, on a virtual X display: with the program running, start it ten times at once with
# ten different lists. Every start must end with status 0 after its list was handed over, the
# window must end on the tenth list, and the recent lists written at exit must hold all ten,
# newest first, in the order the starts were made.
# Usage: quick-handovers.sh AGENDRIX_EXECUTABLE SAMPLE_LIST
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
sample=$2
cp "$sample" "$work/first.agl"
for i in {1..10}; do cp "$sample" "$work/list$i.agl"; done

"$program" "$work/first.agl" &
pid=$!
wait_for 10 xdotool search --name "^first - Agendrix$" || fail "the window did not appear"

starts=()
for i in {1..10}; do
    "$program" "$work/list$i.agl" 2>"$work/start$i.err" &
    starts+=($!)
done
for i in {1..10}; do
    status=0
    wait "${starts[i - 1]}" || status=$?
    [[ $status -eq 0 ]] || fail "start $i ended with status $status: $(cat "$work/start$i.err")"
done
wait_for 10 xdotool search --name "^list10 - Agendrix$" || fail "the window does not show the tenth list"
kill -0 "$pid" || fail "the running instance ended"

# The Exit button, as in handover.sh.
window=$(xdotool search --name "^list10 - Agendrix$" | head -1)
geometry_of "$window"
xdotool mousemove $((X + WIDTH - 70 + 60)) $((Y + 7)) click 1
wait_for 10 bash -c "! kill -0 $pid" || fail "Exit did not close the program"

ini=$AGENDRIX_HOME/agendrix.ini
[[ -f $ini ]] || fail "no settings file was written"
expected=$(for i in {10..1}; do echo "$work/list$i.agl"; done; echo "$work/first.agl")
recent=$(sed -n 27,37p "$ini" | tr -d '\r')
[[ $recent == "$expected" ]] || fail "the recent lists are
$recent
not
$expected"
echo "1 passed, 0 failed"
