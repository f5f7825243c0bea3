# Shared by the end-to-end scripts: a fresh program folder and runtime folder under $work, which
# is removed at exit together with the program started as $pid, and small helpers.
set -euo pipefail
work=$(mktemp -d /tmp/agendrix-e2e.XXXXXX)
pid=
trap 'if [[ -n $pid ]]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
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
