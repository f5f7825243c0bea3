#!/usr/bin/env bash
# Installs the build into a temporary prefix as `cmake --install` does for a user, checks that
# every file is in its freedesktop place, then starts the installed programs for a user whose
# home holds nothing of them yet: the window program must seed ~/.local/share/agendrix from the
# installed share folder and paint its window, agendrix-cli must find the installed template,
# agendrix-lm must merge two lists. Needs no display: the window is painted offscreen, and
# agendrix-lm merges from its command line without one.
# Usage: install.sh BUILD_DIR SAMPLE_LIST
set -euo pipefail
build=$1
sample=$2
work=$(mktemp -d /tmp/agendrix-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 \
    || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
share=$prefix/share
for file in bin/agendrix bin/agendrix-cli bin/agendrix-lm "share/agendrix/HTML Format.htm" \
    share/agendrix/Skins/Default/main.bmp share/agendrix/Skins/Midnight/main.bmp \
    share/applications/agendrix.desktop share/mime/packages/agendrix-agl.xml \
    share/mime/packages/agendrix-cti.xml; do
    [[ -s $prefix/$file ]] || fail "$file was not installed"
done
for icon in apps/agendrix mimetypes/application-x-agendrix-list mimetypes/application-x-agendrix-completed; do
    for size in 16 22 24 32 48 64 128 256; do
        file=$share/icons/hicolor/${size}x$size/$icon.png
        [[ $(identify -format '%wx%h %A' "$file" 2>/dev/null) == "${size}x$size True" ]] \
            || fail "$file is not a ${size}x$size picture with transparency"
    done
    grep -q '<svg' "$share/icons/hicolor/scalable/$icon.svg" || fail "scalable/$icon.svg was not installed"
done
desktop-file-validate "$share/applications/agendrix.desktop" || fail "the installed desktop entry is not valid"
grep -qx 'Exec=agendrix %f' "$share/applications/agendrix.desktop" || fail "the desktop entry does not start agendrix"

# A user with an empty home: no program folder, no settings.
export HOME=$work/user XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/user/.config
unset AGENDRIX_HOME XDG_DATA_HOME
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
cp "$sample" "$work/list.agl"
QT_QPA_PLATFORM=offscreen AGENDRIX_QUIT_AFTER_FIRST_PAINT=1 timeout 60 "$prefix/bin/agendrix" "$work/list.agl" \
    >"$work/out.log" 2>"$work/err.log" || { cat "$work/err.log" >&2; fail "the installed program failed"; }
grep -q '^first paint ' "$work/out.log" || fail "the installed program painted no window"
# The offscreen platform cannot stack windows and says so when a tool window is shown; any other
# line is the program's own complaint.
grep -v '^This plugin does not support raise()$' "$work/err.log" >"$work/complaints.log" || true
[[ ! -s $work/complaints.log ]] || { cat "$work/complaints.log" >&2; fail "the installed program complained"; }
folder=$HOME/.local/share/agendrix
for skin in Default Midnight; do
    diff -r "$share/agendrix/Skins/$skin" "$folder/Skins/$skin" >/dev/null \
        || fail "the program folder did not get the installed $skin skin"
done
cmp -s "$share/agendrix/HTML Format.htm" "$folder/HTML Format.htm" || fail "the program folder did not get the template"
if [[ -d $share/agendrix/help ]]; then
    diff -r "$share/agendrix/help" "$folder/help" >/dev/null || fail "the program folder did not get the help pages"
fi
# The settings are written as the window closes; the skin in use is line 9.
[[ $(sed -n 9p "$folder/agendrix.ini" | tr -d '\r') == /Skins/Default/ ]] || fail "the settings name no skin"

# agendrix-cli finds the installed template through the program folder.
"$prefix/bin/agendrix-cli" export-html "$work/list.agl" -o "$work/page.htm" || fail "agendrix-cli export-html failed"
grep -q 'Book the car service' "$work/page.htm" || fail "the exported page lacks the list's tasks"

# agendrix-lm merges the list with a copy that has one task more, with no display at all: every
# task of the list meets itself in the copy, and the new one is added.
cp "$work/list.agl" "$work/copy.agl"
printf '02\tOnly in the copy\t\t0\t\t1\t0\t\r\n' >>"$work/copy.agl"
tasks=$(($(wc -l <"$work/list.agl") - 1))
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/agendrix-lm" "$work/list.agl" "$work/copy.agl" \
    -o "$work/merged.agl" >"$work/lm.log" 2>&1 || { cat "$work/lm.log" >&2; fail "agendrix-lm failed"; }
grep -q "^merged $((tasks + 1)) tasks from .* ($tasks matched)\$" "$work/lm.log" \
    || { cat "$work/lm.log" >&2; fail "agendrix-lm did not report the merge"; }
cmp -s <(cat "$work/list.agl" <(printf '02\tOnly in the copy\t\t0\t\t1\t0\t\r\n')) "$work/merged.agl" \
    || fail "agendrix-lm did not write the list followed by the copy's new task"
echo "installed and started from $prefix"
