# Shared by the end-to-end scripts: a virtual X display of their own, a fresh program folder and
# runtime folder under $work, all removed at exit together with the program started as $pid, and
# small helpers.
set -euo pipefail
work=$(mktemp -d /tmp/agendrix-e2e.XXXXXX)
pid=
xvfb=
trap 'for p in $pid $xvfb; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

# Xvfb picks a free display itself and writes its number once it accepts connections, so tests
# that run side by side never share or race for one.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for ((i = 0; i < 100; i++)); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || { cat "$work/xvfb.log" >&2; echo "FAIL: no virtual display" >&2; exit 1; }
export DISPLAY=:$(tr -d '\n' <"$work/display")
export AGENDRIX_HOME=$work/home
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$AGENDRIX_HOME"

fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() { # wait_for SECONDS COMMAND...: polls until the command succeeds
    local limit=$(($1 * 10)); shift
    for ((i = 0; i < limit; i++)); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}
# Sets X, Y, WIDTH and HEIGHT to the window's geometry.
geometry_of() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
