#!/usr/bin/env bash
# End to end, on a virtual X display: start the program with one list, hand it a second list
# from a second start, close it with the window's Exit button, and check what it left behind.
# Usage: handover.sh AGENDRIX_EXECUTABLE SAMPLE_LIST
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
sample=$2
cp "$sample" "$work/first.agl"
cp "$sample" "$work/second.agl"

"$program" "$work/first.agl" &
pid=$!
wait_for 10 xdotool search --name "^first - Agendrix$" || fail "the window did not appear"

# A second start hands its list over and ends at once.
"$program" "$work/second.agl" || fail "the second start failed"
wait_for 10 xdotool search --name "^second - Agendrix$" || fail "the second list did not open in the running window"
kill -0 "$pid" || fail "the running instance ended"

# The Exit button: the last zone of the window-button strip at the top right (x 52 to 67 of a
# strip that starts 70 pixels from the right edge).
window=$(xdotool search --name "^second - Agendrix$" | head -1)
geometry_of "$window"
xdotool mousemove $((X + WIDTH - 70 + 60)) $((Y + 7)) click 1
wait_for 10 bash -c "! kill -0 $pid" || fail "Exit did not close the program"

ini=$AGENDRIX_HOME/agendrix.ini
[[ -f $ini ]] || fail "no settings file was written"
lines=$(wc -l <"$ini")
[[ $lines -eq 41 ]] || fail "the settings file has $lines lines, not 41"
sed -n 8p "$ini" | tr -d '\r' | grep -qx "$work/second.agl" || fail "line 8 does not name the open list"
sed -n 27p "$ini" | tr -d '\r' | grep -qx "$work/second.agl" || fail "the newest recent list is not the second list"
sed -n 28p "$ini" | tr -d '\r' | grep -qx "$work/first.agl" || fail "the first list is not the next recent list"
echo "1 passed, 0 failed"
