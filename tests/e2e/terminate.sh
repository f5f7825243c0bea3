#!/usr/bin/env bash
# End to end, on a virtual X display: SIGTERM, as a logout or a shutdown sends it, ends the
# program within a second without a question, even while a message is open; unsaved changes go
# to a recovery copy beside the list, never over it, and the next start offers to restore them.
# Usage: terminate.sh AGENDRIX_EXECUTABLE
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
list=$work/chores.agl
printf 'Format: 5.0.0\r\n04\tWater the plants\t\t0\t\t1\t0\t\r\n' >"$list"
original=$(cat "$list")

# Sends SIGTERM and fails unless the program is gone within a second.
terminate_within_a_second() {
    kill -TERM "$pid"
    wait_for 1 bash -c "! kill -0 $pid" || fail "the program was still running a second after SIGTERM ($1)"
    wait "$pid" 2>/dev/null || true
    pid=
    # The X server drops a dead program's windows once it notices the connection closed.
    wait_for 5 bash -c "! xdotool search --onlyvisible --name Agendrix" || fail "windows outlived the program"
}

"$program" "$list" &
pid=$!
wait_for 10 xdotool search --name "^chores - Agendrix$" || fail "the window did not appear"
window=$(xdotool search --name "^chores - Agendrix$" | head -1)
geometry_of "$window"
wait_for 10 open_bar_picture "$window" "$WIDTH" "$work/open-bar.rgb" || fail "the window was not painted"

# An in-place edit of the first task's description: a change that is not saved.
xdotool mousemove $((X + 100)) $((Y + 38)) click 1
xdotool key --delay 30 End
xdotool type --delay 20 " and the roses"
xdotool key Return
# The program takes the click on the second row's bar after the edit's keys, as the display sends
# them in order: once that bar is open, the edit has ended.
xdotool mousemove $((X + WIDTH - 45 + 9)) $((Y + 30 + 24 + 10)) click 1 mousemove $((X + WIDTH + 50)) $((Y + 50))
wait_for 10 shows "$window" "$(bar_of "$WIDTH" 1)" "$work/open-bar.rgb" || fail "the second row's bar did not open"

terminate_within_a_second "with unsaved changes"
[[ $(cat "$list") == "$original" ]] || fail "the list file was changed"
recovered=$work/.chores.agl.recovered
[[ -f $recovered ]] || fail "no recovery copy was written"
grep -q "Water the plants and the roses" "$recovered" || fail "the recovery copy lacks the change"
[[ $(wc -l <"$AGENDRIX_HOME/agendrix.ini") -eq 41 ]] || fail "the settings were not written"

# The next start offers the copy; Restore (the default button) brings the change back.
"$program" "$list" &
pid=$!
wait_for 10 xdotool search --onlyvisible --name "^Agendrix$" || fail "the recovery copy was not offered"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Agendrix$' | head -1)"
xdotool key Return
wait_for 10 xdotool search --name "^chores - Agendrix$" || fail "the window did not appear after restoring"
[[ ! -e $recovered ]] || fail "the recovery copy is still there after the choice"
window=$(xdotool search --name "^chores - Agendrix$" | head -1)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+s
wait_for 10 grep -q "Water the plants and the roses" "$list" || fail "Alt+S did not save the restored change"
terminate_within_a_second "with nothing to save"
[[ ! -e $recovered ]] || fail "a clean list got a recovery copy"

# A message shown while the list loads (here: lines after an empty line) does not hold SIGTERM up.
printf 'Format: 5.0.0\r\n04\tBefore\r\n\r\n05\tAfter\r\n' >"$work/gap.agl"
"$program" "$work/gap.agl" &
pid=$!
wait_for 10 xdotool search --onlyvisible --name "^Agendrix$" || fail "the start-up message did not appear"
terminate_within_a_second "during a start-up message"
[[ $(wc -l <"$work/gap.agl") -eq 4 ]] || fail "the list with a gap was rewritten"
echo "1 passed, 0 failed"
