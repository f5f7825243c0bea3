#!/usr/bin/env bash
# End to end, on a virtual X display without a window manager: after an in-place edit, a closed
# task editor and a closed priority picker, the list window has the keyboard again, so that Alt+S
# saves at once even with the pointer away from the window.
# Usage: keyboard-after-edits.sh AGENDRIX_EXECUTABLE
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
list=$work/errands.agl
# LF line ends: a save writes CR LF, which tells that the list was saved.
unsaved() { printf 'Format: 5.0.0\n04\tAlpha\t\t0\t\t\t\t\n06\tBravo\t\t0\t\t\t\t\n' >"$list"; }
unsaved

"$program" "$list" &
pid=$!
wait_for 10 xdotool search --name "^errands - Agendrix$" || fail "the window did not appear"
window=$(xdotool search --name "^errands - Agendrix$" | head -1)
geometry_of "$window"
listX=$X listY=$Y listWidth=$WIDTH listHeight=$HEIGHT

# Alt+S typed with the pointer away from the list window, as the keyboard sends it, once the
# window has taken the keyboard back.
saves_from_the_keyboard() { # saves_from_the_keyboard WHAT
    wait_for 10 has_keyboard "$window" || fail "the list window did not take the keyboard back after $1"
    xdotool mousemove $((listX + listWidth + 200)) $((listY + listHeight + 100))
    xdotool key alt+s
    wait_for 10 grep -q $'\r' "$list" || fail "Alt+S did not save after $1"
    unsaved
}

# The priority picker opened at the first lamp and closed with Escape, once it holds the keyboard:
# before that the program is not yet the active one, and would not take the keyboard back.
xdotool mousemove $((listX + 15)) $((listY + 38)) click 3
wait_for 10 popup_has_keyboard "$pid" "$window" || fail "the priority picker did not take the keyboard"
xdotool key Escape
saves_from_the_keyboard "the priority picker"

# The first row's description edited in place, ended by Enter.
xdotool mousemove $((listX + 100)) $((listY + 38)) click 1
xdotool type --delay 20 "Aardvark"
xdotool key Return
saves_from_the_keyboard "an in-place edit"

# The task editor opened on the second row and cancelled with the mouse.
xdotool mousemove $((listX + 100)) $((listY + 62)) click 3
wait_for 10 xdotool search --name "^Task Details$" || fail "the task editor did not open"
editor=$(xdotool search --name "^Task Details$" | head -1)
wait_for 10 has_keyboard "$editor" || fail "the task editor did not take the keyboard"
geometry_of "$editor"
# Cancel is beside OK, at (254 + 80, 390) of the editor.
xdotool mousemove $((X + 254 + 80 + 36)) $((Y + 390 + 12)) click 1
wait_for 10 bash -c "! xdotool search --name '^Task Details$'" || fail "Cancel did not close the editor"
saves_from_the_keyboard "the task editor"
echo "1 passed, 0 failed"
