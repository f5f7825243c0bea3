#!/usr/bin/env bash
# End to end, on a virtual X display: Alt+I replaces the open list by the index of its folder,
# newest list first, and the folder button of an index row's control bar opens that list.
# Usage: list-index.sh AGENDRIX_EXECUTABLE
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
lists=$work/lists
mkdir -p "$lists"
write_list() { # write_list NAME TASK TIME
    printf 'Format: 5.0.0\r\n05\t%s\t\t0\t\t\t\t\r\n' "$2" >"$lists/$1.agl"
    touch -d "$3" "$lists/$1.agl"
}
write_list first "Post the parcel" "2026-12-01 09:00"
write_list groceries "Buy milk" "2026-12-01 10:00"
write_list garden "Plant the roses" "2026-12-01 11:00"

"$program" "$lists/first.agl" &
pid=$!
wait_for 10 xdotool search --name "^first - Agendrix$" || fail "the window did not appear"
window=$(xdotool search --name "^first - Agendrix$" | head -1)
geometry_of "$window"
xdotool mousemove $((X + WIDTH + 50)) $((Y + HEIGHT + 50)) # no hover highlights a bar
wait_for 10 open_bar_picture "$window" "$WIDTH" "$work/open-bar.rgb" || fail "the window was not painted"
xdotool windowfocus --sync "$window" # as a window manager gives a new window the keyboard
wait_for 10 has_keyboard "$window" || fail "the list window did not take the keyboard"

xdotool key alt+i
wait_for 10 xdotool search --name "^List Index - Agendrix$" || fail "Alt+I did not show the list index"
# The index's first row, the newest list, gets the open control bar once it has rolled out.
wait_for 10 shows "$window" "$(bar_of "$WIDTH" 0)" "$work/open-bar.rgb" || fail "the index's first bar did not open"
# The bar's third key, the folder, opens the row's associated file: 22 + 2 * 18 pixels into the bar.
xdotool mousemove $((X + WIDTH - 125 + 22 + 36 + 9)) $((Y + 30 + 11)) click 1
wait_for 10 xdotool search --name "^garden - Agendrix$" || fail "the index's newest row did not open garden.agl"
echo "PASS"
