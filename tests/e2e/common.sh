# Shared by the end-to-end scripts: a virtual X display of their own, a fresh program folder and
# runtime folder under $work, all removed at exit together with the program started as $pid, and
# small helpers.
set -euo pipefail
work=$(mktemp -d /tmp/agendrix-e2e.XXXXXX)
pid=
xvfb=
# The program writes its settings as it ends: wait for that before its folder goes.
trap 'for p in $pid $xvfb; do kill "$p" 2>/dev/null || true; done
      for p in $pid $xvfb; do wait "$p" 2>/dev/null || true; done
      rm -rf "$work"' EXIT

# A display number of its own, drawn from a wide range rather than the lowest free one: a server
# that is just ending removes its socket by name, which would take the socket of a new server
# that reused its number. Xvfb writes the number once it accepts connections. Without -noreset
# the server starts over each time its last client leaves, and refuses connections meanwhile:
# a test that starts the program several times would find no display.
for attempt in 1 2 3 4 5; do
    Xvfb ":$((100 + RANDOM % 30000))" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    for ((i = 0; i < 100; i++)); do
        [[ -s $work/display ]] && break
        kill -0 "$xvfb" 2>/dev/null || break # the number was taken: try another
        sleep 0.1
    done
    [[ -s $work/display ]] && break
done
[[ -s $work/display ]] || { cat "$work/xvfb.log" >&2; echo "FAIL: no virtual display" >&2; exit 1; }
export DISPLAY=:$(tr -d '\n' <"$work/display")
export AGENDRIX_HOME=$work/home
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$AGENDRIX_HOME"

fail() { echo "FAIL: $*" >&2; exit 1; }

window_manager_runs() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
# Starts openbox on the display and waits until it manages windows; fails when it cannot. Its stock
# key bindings take Alt+Space for its own window menu: here the key is left to the program, as
# window managers that do not bind it leave it.
wm=
start_window_manager() {
    mkdir -p "$work/config/openbox"
    sed '/<keybind key="A-space">/,/<\/keybind>/d' /etc/xdg/openbox/rc.xml >"$work/config/openbox/rc.xml"
    XDG_CONFIG_HOME=$work/config openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm=$!
    trap 'for p in $pid $wm $xvfb; do kill "$p" 2>/dev/null || true; done
          for p in $pid $wm $xvfb; do wait "$p" 2>/dev/null || true; done
          rm -rf "$work"' EXIT
    wait_for 10 window_manager_runs || { cat "$work/openbox.log" >&2; fail "openbox did not start"; }
}

# Writes the settings file of a start: the program's defaults for LIST, with LINE=VALUE pairs
# in place of the lines they number (1 to 41).
write_settings() { # write_settings LIST [LINE=VALUE...]
    local -a lines=(0 1 3 0 "" 3 0 "$1" /Skins/Default/ 200 100 350 534 True True 1 "" 0 48 1
        False 0 0 4050 0 3000 "$1" "" "" "" "" "" "" "" "" "" "" "" "" "" "")
    shift
    local pair
    for pair in "$@"; do lines[$((${pair%%=*} - 1))]=${pair#*=}; done
    printf '%s\r\n' "${lines[@]}" >"$AGENDRIX_HOME/agendrix.ini"
}
wait_for() { # wait_for SECONDS COMMAND...: polls until the command succeeds
    local limit=$(($1 * 10)); shift
    for ((i = 0; i < limit; i++)); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}
# Sets X, Y, WIDTH and HEIGHT to the window's geometry.
geometry_of() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# The keyboard goes where the display's input focus is: to WINDOW, or to a window of the program
# PID other than WINDOW, such as a popup it opened.
has_keyboard() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; } # has_keyboard WINDOW
popup_has_keyboard() { # popup_has_keyboard PID WINDOW
    local focus
    focus=$(xdotool getwindowfocus 2>/dev/null) && [[ $focus != "$2" ]] \
        && xdotool search --onlyvisible --pid "$1" | grep -qx "$focus"
}

# What the user sees, to wait for instead of sleeping. A rectangle is WxH+X+Y in the window's
# pixels; a picture is the rectangle's raw RGB bytes, as ImageMagick's import reads them.
picture_of() { # picture_of WINDOW RECTANGLE FILE: fails while the window cannot be read
    import -silent -window "$1" -crop "$2" +repage -depth 8 "rgb:$3" 2>/dev/null
}
shows() { # shows WINDOW RECTANGLE PICTURE: the rectangle shows exactly that picture
    picture_of "$1" "$2" "$work/shown.rgb" && cmp -s "$work/shown.rgb" "$3"
}

# The open control bar of a row of the list window: 98 by 20 pixels, 125 pixels from the right
# edge of a window WIDTH wide, on the row's band (bands are 24 pixels apart from y 30).
bar_of() { echo "98x20+$(($1 - 125))+$((30 + 24 * $2))"; } # bar_of WIDTH ROW
# Writes the picture of a fully open bar to FILE once the list window is painted. The first row's
# bar is open from the start without an animation; the window is painted once that bar shows
# more than one colour and looks the same twice in a row, and differs from the band below it.
open_bar_picture() { # open_bar_picture WINDOW WIDTH FILE
    picture_of "$1" "$(bar_of "$2" 0)" "$3" \
        && [[ $(identify -size 98x20 -depth 8 -format %k "rgb:$3") -gt 1 ]] \
        && picture_of "$1" "$(bar_of "$2" 1)" "$work/below.rgb" && ! cmp -s "$3" "$work/below.rgb" \
        && shows "$1" "$(bar_of "$2" 0)" "$3"
}
