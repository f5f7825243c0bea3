#!/usr/bin/env bash
# End to end under a real window manager (openbox) on a virtual X display: always on top puts the
# list window in the window manager's above layer; sidebar mode docks it at the right edge of the
# screen it is on, without a taskbar button, beside a shaped drag tab; with another program in
# front and the pointer away it slides out of sight within about a second, and touching the tab
# brings it back; the normal placement survives in the settings, and odd settings or a screen
# that changes under the sidebar leave the window and its tab on the screen.
# Usage: window-modes.sh AGENDRIX_EXECUTABLE
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
start_window_manager
list=$work/errands.agl
printf 'Format: 5.0.0\r\n04\tPost the parcel\t\t0\t\t1\t0\t\r\n' >"$list"

has_state() { xprop -id "$1" _NET_WM_STATE | grep -q "_NET_WM_STATE_$2"; } # has_state WINDOW STATE
list_window() { xdotool search --onlyvisible --name "^errands - Agendrix$" | head -1 | grep .; }
drag_tab() { xdotool search --onlyvisible --name "^Agendrix Drag Tab$" | head -1 | grep .; }
list_hidden() { ! xdotool search --onlyvisible --name "^errands - Agendrix$" | grep -q .; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

start_program() { # start_program WHAT: sets $window
    "$program" "$list" &
    pid=$!
    wait_for 10 list_window || fail "the list window did not appear ($1)"
    window=$(list_window)
}
stop_program() {
    kill -INT "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
    wait_for 5 list_hidden || fail "the window outlived the program"
}
expect_geometry() { # expect_geometry WINDOW X Y WIDTH HEIGHT WHAT
    geometry_of "$1"
    [[ "$X $Y $WIDTH $HEIGHT" == "$2 $3 $4 $5" ]] || fail "$6: at $X,$Y ${WIDTH}x$HEIGHT, not $2,$3 $4x$5"
}
setting() { sed -n "${1}p" "$AGENDRIX_HOME/agendrix.ini" | tr -d '\r'; } # setting LINE

# A normal window: above other windows only with AlwaysOnTop.
write_settings "$list"
start_program "normal"
expect_geometry "$window" 200 100 350 534 "the normal window"
has_state "$window" ABOVE && fail "a normal window is in the above layer"
has_state "$window" SKIP_TASKBAR && fail "a normal window has no taskbar button"
stop_program
write_settings "$list" 21=True
start_program "always on top"
has_state "$window" ABOVE || fail "AlwaysOnTop did not put the window in the above layer"
has_state "$window" SKIP_TASKBAR && fail "an always-on-top window has no taskbar button"
stop_program

# Sidebar mode from the settings: 270 pixels at the right edge, the tab's top at 200.
xdotool mousemove 1100 500
write_settings "$list" 24=4050 25=1 26=3000
start_program "sidebar"
expect_geometry "$window" 1010 0 270 1024 "the sidebar"
has_state "$window" ABOVE || fail "the sidebar is not in the above layer"
has_state "$window" SKIP_TASKBAR || fail "the sidebar has a taskbar button"
wait_for 5 drag_tab || fail "the drag tab did not appear"
tab=$(drag_tab)
geometry_of "$tab"
tab_width=$WIDTH tab_height=$HEIGHT
((X + WIDTH == 1010 && Y == 200)) || fail "the tab is at $X,$Y ${WIDTH}x$HEIGHT, not left of the sidebar at 200"
xwininfo -shape -id "$tab" | grep -q "Window shape extents" || fail "the drag tab is not shaped"
has_state "$tab" SKIP_TASKBAR || fail "the drag tab has a taskbar button"
has_state "$tab" ABOVE || fail "the drag tab is not above other windows"

# Another program in front and the pointer away: the sidebar goes, and the tab stays at the edge.
xmessage -geometry +100+100 "another program" 2>/dev/null &
other=$!
wait_for 10 xdotool search --onlyvisible --name "^xmessage$" || fail "xmessage did not appear"
xdotool mousemove 300 600 windowactivate --sync "$(xdotool search --onlyvisible --name '^xmessage$' | head -1)"
began=$(now_ms)
wait_for 5 list_hidden || fail "the sidebar did not slide away"
took=$(($(now_ms) - began))
echo "the sidebar was out of sight ${took} ms after another program came to the front"
((took <= 1500)) || fail "the sidebar took ${took} ms to slide away"
geometry_of "$tab"
((X == 1280 - tab_width)) || fail "the hidden sidebar's tab is at x $X, not at the screen edge"
# A list handed over by another start brings the sidebar out with that list.
printf 'Format: 5.0.0\r\n05\tReturn the books\t\t0\t\t1\t0\t\r\n' >"$work/library.agl"
"$program" "$work/library.agl" || fail "the second start did not hand its list over"
wait_for 5 xdotool search --onlyvisible --name "^library - Agendrix$" \
    || fail "a list handed over did not bring the sidebar out"
xdotool mousemove 300 600 windowactivate --sync "$(xdotool search --onlyvisible --name '^xmessage$' | head -1)"
wait_for 5 bash -c '! xdotool search --onlyvisible --name "^library - Agendrix$" | grep -q .' \
    || fail "the sidebar did not slide away again"
"$program" "$list" || fail "the third start did not hand its list over"
wait_for 5 list_window || fail "the first list handed back did not bring the sidebar out"
xdotool mousemove 300 600 windowactivate --sync "$(xdotool search --onlyvisible --name '^xmessage$' | head -1)"
wait_for 5 list_hidden || fail "the sidebar did not slide away once more"
# Touching the tab brings the sidebar back, still without a taskbar button.
xdotool mousemove $((1280 - tab_width / 2)) $((200 + tab_height / 2))
wait_for 5 list_window || fail "touching the tab did not bring the sidebar back"
expect_geometry "$(list_window)" 1010 0 270 1024 "the sidebar brought back"
has_state "$(list_window)" SKIP_TASKBAR || fail "the sidebar brought back has a taskbar button"
# Dragging the tab 100 pixels to the left with the left button widens the sidebar by as much.
tab_x=$((1010 - tab_width / 2)) tab_y=$((200 + tab_height / 2))
xdotool mousemove "$tab_x" "$tab_y" mousedown 1 mousemove $((tab_x - 50)) "$tab_y" \
    mousemove $((tab_x - 100)) "$tab_y" mouseup 1
sidebar_widened() { eval "$(xdotool getwindowgeometry --shell "$(list_window)")" && ((X == 910 && WIDTH == 370)); }
wait_for 5 sidebar_widened || fail "dragging the tab did not widen the sidebar: $(xdotool getwindowgeometry "$(list_window)" | tr '\n' ' ')"
stop_program
[[ "$(setting 10) $(setting 11) $(setting 12) $(setting 13) $(setting 25) $(setting 24)" == "200 100 350 534 1 5550" ]] \
    || fail "the settings lost the normal placement, the mode or the width: $(sed -n '10,13p;24,25p' "$AGENDRIX_HOME/agendrix.ini" | tr -d '\r' | tr '\n' ' ')"

# Odd settings: a sidebar wider than the screen, a tab far above it.
write_settings "$list" 24=999999 25=1 26=-99999
xdotool mousemove 1100 500
start_program "odd sidebar settings"
geometry_of "$window"
((X >= tab_width && X + WIDTH == 1280 && Y == 0 && HEIGHT == 1024)) \
    || fail "an oversized sidebar is at $X,$Y ${WIDTH}x$HEIGHT"
wait_for 5 drag_tab || fail "the drag tab did not appear"
geometry_of "$(drag_tab)"
((X >= 0 && Y >= 0 && Y + HEIGHT <= 1024)) || fail "the tab is off the screen at $X,$Y"
stop_program

# Two screens side by side: the sidebar docks at the right edge of the left one, where the
# window was, and goes out of sight without sliding onto the right one.
xrandr --setmonitor left 640/169x1024/271+0+0 none
xrandr --setmonitor right 640/169x1024/271+640+0 none
write_settings "$list" 10=50 24=4050 25=1 26=3000
xdotool mousemove 500 500
start_program "two screens"
expect_geometry "$window" 370 0 270 1024 "the sidebar on the left screen"
wait_for 5 drag_tab || fail "the left screen's drag tab did not appear"
tab=$(drag_tab) # each start has a tab of its own
xdotool mousemove 300 900 windowactivate --sync "$(xdotool search --onlyvisible --name '^xmessage$' | head -1)"
wait_for 5 list_hidden || fail "the sidebar on the left screen did not go"
geometry_of "$tab"
((X == 640 - tab_width)) || fail "the tab of the left screen's sidebar is at x $X"
# The screens go under the hidden sidebar, and the whole display is one screen again: the tab
# comes to its edge, and touching it brings the sidebar back there.
xrandr --delmonitor left
xrandr --delmonitor right
tab_at_the_edge() { eval "$(xdotool getwindowgeometry --shell "$tab")" && ((X + WIDTH == 1280)); }
wait_for 5 tab_at_the_edge \
    || fail "the tab did not come to the edge of the screen left: $(xdotool getwindowgeometry "$tab" | tr '\n' ' ')"
xdotool mousemove $((1280 - tab_width / 2)) $((200 + tab_height / 2))
wait_for 5 list_window || fail "the sidebar did not come back on the screen left"
expect_geometry "$(list_window)" 1010 0 270 1024 "the sidebar on the screen left"
stop_program
kill "$other" 2>/dev/null || true
echo "PASS"
