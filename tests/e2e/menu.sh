#!/usr/bin/env bash
# End to end, under openbox on a virtual X display, as a user works: the Remote button opens the
# remote panel beside the list window; a right click on the caption opens the menu, whose
# " &New Task List" starts an empty list; the panel's Add adds two tasks through the task editor;
# Alt+Space and the menu's " Save Task List &As..." save it through the file dialog; the recent
# lists popup reopens the first list. Both files are then checked byte for byte. Last, the menu
# starts the list merger.
# Usage: menu.sh AGENDRIX_EXECUTABLE
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
start_window_manager
first=$work/first.agl
second=$work/second.agl
printf 'Format: 5.0.0\r\n05\tFirst task\t\t0\t20261206\t1\t0\t\r\n07\tSecond task\t\t0\t20261206\t1\t0\t\r\n' >"$first"
cp "$first" "$work/first.original"
write_settings "$first" 14=False # the panel is closed at start-up
today=$(date +%F)

# The visible window of the program whose top-left corner is at X, Y (global pixels).
window_at() { # window_at X Y
    local id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        geometry_of "$id"
        [[ $X == "$1" && $Y == "$2" ]] && echo "$id" && return 0
    done
    return 1
}
titled() { xdotool search --onlyvisible --name "^$1\$" | head -1; } # titled TITLE: the window's id
list_titled() { [[ $(xdotool getwindowname "$window") == "$1 - Agendrix" ]]; }

"$program" "$first" &
pid=$!
wait_for 10 titled "first - Agendrix" || fail "the window did not appear"
window=$(titled "first - Agendrix")
geometry_of "$window"
listX=$X listY=$Y listWidth=$WIDTH
away=("$((listX + 30))" "$((listY + 400))") # over no control of the window or the panel
! titled "Agendrix Remote" >/dev/null || fail "the panel was open although the settings closed it"

# The Remote button is the first of the window buttons, 70 pixels from the right edge.
xdotool mousemove $((listX + listWidth - 62)) $((listY + 10)) click 1 mousemove "${away[@]}"
wait_for 10 titled "Agendrix Remote" || fail "the Remote button did not open the panel"
panel=$(titled "Agendrix Remote")
wait_for 10 window_at $((listX + listWidth)) "$listY" \
    || { geometry_of "$panel"; fail "the panel is at $X,$Y, not beside the window at $((listX + listWidth)),$listY"; }

# The menu's entries are 18 pixels high below a 2-pixel frame.
entry_y() { echo $(($2 + 2 + 18 * $1 + 9)); } # entry_y INDEX MENU_TOP
xdotool mousemove $((listX + 100)) $((listY + 10)) click 3
wait_for 10 window_at $((listX + 100)) $((listY + 10)) || fail "a right click on the caption did not open the menu"
xdotool mousemove $((listX + 140)) "$(entry_y 0 $((listY + 10)))" click 1 mousemove "${away[@]}"
wait_for 10 list_titled "New Task List 1" || fail "the menu's New Task List did not start a new list"

# The panel's Add, at (8, 84) of the panel, opens the task editor on a new task; its OK is at
# (254, 390) of the editor.
add_task() { # add_task DESCRIPTION
    xdotool mousemove $((listX + listWidth + 50)) $((listY + 95)) click 1 mousemove "${away[@]}"
    wait_for 10 titled "Task Details" || fail "the panel's Add did not open the task editor"
    local editor
    editor=$(titled "Task Details")
    wait_for 10 has_keyboard "$editor" || fail "the task editor did not take the keyboard"
    xdotool type --delay 20 "$1"
    geometry_of "$editor"
    xdotool mousemove $((X + 254 + 36)) $((Y + 390 + 12)) click 1 mousemove "${away[@]}"
    wait_for 10 bash -c "! xdotool search --onlyvisible --name '^Task Details$'" || fail "OK did not close the editor"
}
add_task "Buy stamps"
add_task "Post the letters"

# Alt+Space opens the menu under its button, 4 and 16 pixels into the window; A is Save As.
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+space
wait_for 10 window_at $((listX + 4)) $((listY + 16)) || fail "Alt+Space did not open the menu"
xdotool key a
wait_for 10 titled "Save Task List" || fail "Save Task List As did not show the file dialog"
dialog=$(titled "Save Task List")
wait_for 10 has_keyboard "$dialog" || fail "the file dialog did not take the keyboard"
xdotool key ctrl+a
xdotool type --delay 10 "$second"
xdotool key Return
wait_for 10 test -s "$second" || fail "the file dialog did not save $second"
wait_for 10 list_titled "second" || fail "the window does not name the saved list"

# The recent lists hold the lists that were opened, not the ones saved under a new name: the
# first list is entry 1. Hovering Open Task List shows them; key 1 opens it.
xdotool mousemove $((listX + 100)) $((listY + 10)) click 3
wait_for 10 window_at $((listX + 100)) $((listY + 10)) || fail "the menu did not open a second time"
xdotool mousemove $((listX + 140)) "$(entry_y 1 $((listY + 10)))"
recent_lists_shown() { [[ $(xdotool search --onlyvisible --pid "$pid" | wc -l) -ge 4 ]]; }
wait_for 10 recent_lists_shown || fail "hovering Open Task List did not show the recent lists"
xdotool key 1
wait_for 10 list_titled "first" || fail "the recent lists did not reopen the first list"

# The list merger ships beside the program: the menu's Launch List Merger (key M) starts it.
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+space
wait_for 10 window_at $((listX + 4)) $((listY + 16)) || fail "Alt+Space did not open the menu again"
xdotool key m
wait_for 10 titled "Agendrix List Merger" || fail "Launch List Merger did not start agendrix-lm"
xdotool windowclose "$(titled "Agendrix List Merger")" 2>/dev/null || true

cmp "$first" "$work/first.original" || fail "the first list changed"
printf 'Format: 5.0.0\r\n' >"$work/second.expected"
for task in "Buy stamps" "Post the letters"; do
    printf '09\t%s\t\t0\t%s\t1\t0\t\r\n' "$task" "$(date -d "$today + 14 days" +%Y%m%d)"
done >>"$work/second.expected"
cmp "$second" "$work/second.expected" || {
    diff <(cat -A "$second") <(cat -A "$work/second.expected") >&2
    fail "the saved list is not what was typed"
}
echo "1 passed, 0 failed"
