#!/usr/bin/env bash
# End to end, in a real browser: agendrix-cli exports a list whose tasks hold markup, a script,
# character references and non-ASCII text through the shipped template; headless Chromium prints
# the page to PDF and dumps its DOM. The texts must show literally, each under its category in
# the list's order, the script must not have run and no element may come from a task.
# Needs no display: Chromium runs headless. A Chromium that cannot start fails the test.
# Usage: web-export.sh AGENDRIX_CLI
set -euo pipefail
cli=$1
work=$(mktemp -d /tmp/agendrix-web-export.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# An empty program folder: the template shipped beside agendrix-cli is used.
export AGENDRIX_HOME=$work/home
mkdir -p "$AGENDRIX_HOME"

# Runs headless Chromium on a page with the given output option; its chatter goes to a log.
chromium_on() { # chromium_on PAGE OPTION...
    local page=$1
    shift
    timeout 30 chromium --headless --no-sandbox --disable-gpu --no-first-run --user-data-dir="$work/profile" \
        --no-pdf-header-footer "$@" "file://$page" 2>>"$work/chromium.log" \
        || { cat "$work/chromium.log" >&2; fail "Chromium could not render $page"; }
}

# The browser runs scripts and builds elements from markup: without that the checks below would
# pass for nothing. A page that does both shows it.
printf '<!DOCTYPE html><title>kept</title><script>document.title="pwned"</script><b>bold</b>\n' \
    >"$work/control.htm"
chromium_on "$work/control.htm" --dump-dom >"$work/control.dom"
grep -q '<title>pwned</title>' "$work/control.dom" || fail "Chromium did not run the control page's script"
grep -q '<b>bold</b>' "$work/control.dom" || fail "Chromium did not make the control page's <b> element"

# Windows-1252 task lines: e9 is "é", bd "½", b6 a stored line break of the information text.
list=$work/Web\ list.agl
{
    printf 'Format: 5.0.0\r\n'
    printf "10\t2026/12/01 - Done <i>twice</i>\t\t0\t20261201\t1\t0\t\r\n"
    printf "02\t<script>document.title='pwned'</script>\t\t0\t20261206\t1\t0\t\r\n"
    printf '09\tCaf\xe9 \xbd price\tfirst line\xb6second line\t0\t20261206\t1\t0\t\r\n'
    printf '04\tFish &amp; chips\t<b>bold</b>\t0\t20261206\t1\t0\t\r\n'
} >"$list"
before=$(md5sum <"$list")

"$cli" --today 2026-12-06 export-html "$list" -o "$work/page.htm" --color \
    || fail "agendrix-cli export-html failed"
[[ $(md5sum <"$list") == "$before" ]] || fail "the export changed the list"

chromium_on "$work/page.htm" --print-to-pdf="$work/page.pdf" >/dev/null
[[ -s $work/page.pdf ]] || fail "Chromium wrote no PDF"
pdftotext "$work/page.pdf" "$work/page.txt" || fail "pdftotext could not read the PDF"
chromium_on "$work/page.htm" --dump-dom >"$work/page.dom"

# Each expected line, in this order, on a line of its own in the printed text.
expected=(
    "Web list"
    "4 items, created on 2026-12-06"
    "Extreme Priority"
    "<script>document.title='pwned'</script>"
    "High Priority"
    "Fish &amp; chips"
    "<b>bold</b>"
    "Unprioritized"
    "Café ½ price"
    "first line"
    "second line"
    "Completed Items"
    "2026/12/01 - Done <i>twice</i>"
)
from=0
for text in "${expected[@]}"; do
    at=$(grep -n -x -F -- "$text" "$work/page.txt" | head -n 1 | cut -d: -f1 || true)
    [[ -n $at ]] || { cat "$work/page.txt" >&2; fail "the printed page does not show the line '$text'"; }
    ((at > from)) || { cat "$work/page.txt" >&2; fail "'$text' is out of order on the printed page"; }
    from=$at
done

grep -q '<title>Web list</title>' "$work/page.dom" || fail "the page's title was changed: $(grep -o '<title>.*</title>' "$work/page.dom")"
! grep -q '<script' "$work/page.dom" || fail "a task made a script element"
! grep -qE '<(b|i)>' "$work/page.dom" || fail "a task made an element: $(grep -oE '<(b|i)>[^<]*' "$work/page.dom")"
grep -q '&lt;b&gt;bold&lt;/b&gt;' "$work/page.dom" || fail "the task's markup is not text in the DOM"
echo "1 passed, 0 failed"
