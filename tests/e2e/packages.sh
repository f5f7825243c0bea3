#!/usr/bin/env bash
# End to end, on a virtual X display: packages waiting in the program folder are unpacked at
# start-up in the "New Package Detection" window before the list window opens. A hostile package
# (sorted first) is refused with a message while that window is up, which holds it on screen for
# the test; the good package's files are then written and the package is gone.
# Usage: packages.sh AGENDRIX_EXECUTABLE AGENDRIX_CLI
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
cli=$2

mkdir -p "$work/source/Skins/Packed"
printf 'packed colours\r\n' >"$work/source/Skins/Packed/colors.txt"
printf 'read me' >"$work/source/readme.txt"
(cd "$work/source" && "$cli" pack "$AGENDRIX_HOME/skin.cfp" --source "E2E" --name "Packed Skin" \
    Skins/Packed/colors.txt readme.txt) || fail "agendrix-cli pack failed"
printf 'E2E\tEvil\t\t1\t..\\escaped.txt\t\0x' >"$AGENDRIX_HOME/a-evil.cfp"

"$program" &
pid=$!
wait_for 20 xdotool search --onlyvisible --name "^New Package Detection$" || fail "the package window did not appear"
wait_for 20 xdotool search --onlyvisible --name "^Agendrix$" || fail "the hostile package was not reported"
box=$(xdotool search --onlyvisible --name "^Agendrix$" | head -1)
[[ -f $AGENDRIX_HOME/a-evil.cfp.rejected && ! -e $AGENDRIX_HOME/a-evil.cfp ]] ||
    fail "the hostile package was not renamed"
xdotool windowfocus --sync "$box"
xdotool key Return

wait_for 20 xdotool search --onlyvisible --name " - Agendrix$" || fail "the list window did not open after the packages"
[[ $(cat "$AGENDRIX_HOME/Skins/Packed/colors.txt") == $'packed colours\r' ]] || fail "colors.txt was not extracted"
[[ $(cat "$AGENDRIX_HOME/readme.txt") == "read me" ]] || fail "readme.txt was not extracted"
[[ ! -e $AGENDRIX_HOME/skin.cfp ]] || fail "the extracted package is still there"
[[ ! -e $work/escaped.txt && ! -e $AGENDRIX_HOME/../escaped.txt ]] || fail "the hostile package wrote outside"
xdotool search --onlyvisible --name "^New Package Detection$" >/dev/null && fail "the package window is still open"
echo "PASS"
