#!/usr/bin/env bash
# End to end, on a virtual X display: add a task to an empty list by right-clicking an empty row,
# give it a description and "Level 5 - High" in the task editor, complete it from its control
# bar, save with Alt+S and check the file.
# Usage: add-task.sh AGENDRIX_EXECUTABLE
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
list=$work/chores.agl
printf 'Format: 5.0.0\r\n' >"$list"
# Every date the list gets is worked out from this one reading of the clock.
today=$(date +%F)

"$program" "$list" &
pid=$!
wait_for 10 xdotool search --name "^chores - Agendrix$" || fail "the window did not appear"
window=$(xdotool search --name "^chores - Agendrix$" | head -1)
geometry_of "$window"
listX=$X listY=$Y listWidth=$WIDTH listHeight=$HEIGHT
away=("$((listX + listWidth + 50))" "$((listY + listHeight + 50))") # no hover highlights a bar
xdotool mousemove "${away[@]}"
wait_for 10 open_bar_picture "$window" "$listWidth" "$work/open-bar.rgb" || fail "the window was not painted"

# The third row's bar is opened first, so that the first row's bar is closed until the new task's
# bar opens there.
xdotool mousemove $((listX + listWidth - 45 + 9)) $((listY + 30 + 24 * 2 + 10)) click 1 mousemove "${away[@]}"
wait_for 10 shows "$window" "$(bar_of "$listWidth" 2)" "$work/open-bar.rgb" || fail "the third row's bar did not open"

# Right-click the first row's description: the list is empty, so the editor opens on a new task.
xdotool mousemove $((listX + 100)) $((listY + 38)) click 3
wait_for 10 xdotool search --name "^Task Details$" || fail "the task editor did not open"
editor=$(xdotool search --name "^Task Details$" | head -1)
wait_for 10 has_keyboard "$editor" || fail "the task editor did not take the keyboard"
geometry_of "$editor"
xdotool type --delay 20 "Water the plants"
# "Level &5 - High" is the fifth priority option, at (22, 170 + 14 * 4) of the editor; OK is at (254, 390).
xdotool mousemove $((X + 28)) $((Y + 226 + 6)) click 1
xdotool mousemove $((X + 254 + 36)) $((Y + 390 + 12)) click 1 mousemove "${away[@]}"
wait_for 10 bash -c "! xdotool search --name '^Task Details$'" || fail "OK did not close the editor"

# The new task's row is the current row; once its bar is fully open, the completion key is at x 22
# to 40 of it.
wait_for 10 shows "$window" "$(bar_of "$listWidth" 0)" "$work/open-bar.rgb" || fail "the new task's bar did not open"
xdotool mousemove $((listX + listWidth - 125 + 30)) $((listY + 30 + 10)) click 1
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+s
wait_for 10 grep -q "Water the plants" "$list" || fail "Alt+S did not save the list"

line=$(sed -n 2p "$list" | tr -d '\r')
expected=$(printf '10\t%s - Water the plants\t\t0\t%s\t1\t0\t' "$(date -d "$today" +%Y/%m/%d)" \
    "$(date -d "$today + 14 days" +%Y%m%d)")
[[ $line == "$expected" ]] || fail "the saved task is '$line', not '$expected'"
[[ $(wc -l <"$list") -eq 2 ]] || fail "the list does not hold exactly one task"
echo "1 passed, 0 failed"
