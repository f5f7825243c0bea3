#!/usr/bin/env bash
# End to end, on a virtual X display and a print spooler of its own: Alt+P opens the print
# dialog, the user chooses a CUPS-PDF queue and OK, and the spooler's PDF shows the sample list.
# The spooler is a cupsd with a private configuration in the test's folder, reached through its
# own socket (CUPS_SERVER), so that neither the system's printers nor its settings are touched.
# Usage: print.sh AGENDRIX_EXECUTABLE SAMPLE_LIST
set -euo pipefail
source "$(dirname "$0")/common.sh"
program=$1
sample=$2
cups=$work/cups
pdfs=$work/pdfs
# A queue name of its own: CUPS-PDF reads the settings of a queue from /etc/cups/cups-pdf-QUEUE.conf
# (its configuration folder is built in), which is the one file this test writes outside its folder.
queue=AgendrixTest$$
queue_conf=/etc/cups/cups-pdf-$queue.conf

for tool in cupsd lpadmin lpstat pdftotext; do
    command -v "$tool" >/dev/null || fail "$tool is missing (Debian: cups, poppler-utils)"
done
[[ -x /usr/lib/cups/backend/cups-pdf ]] || fail "the CUPS-PDF backend is missing (Debian: printer-driver-cups-pdf)"
[[ $(id -u) -eq 0 ]] || fail "cupsd runs its CUPS-PDF backend as root only: run this test as root"

mkdir -p "$cups"/{root/ppd,spool/tmp,cache,state,log} "$pdfs"
# cupsd runs the filters as the user lp, who must reach the spool and the queue's PPD file.
chmod o+x "$work"
chmod -R a+rX "$cups"
chmod 1777 "$pdfs" "$cups/spool/tmp"
cat >"$cups/root/cups-files.conf" <<EOF
ServerRoot $cups/root
RequestRoot $cups/spool
TempDir $cups/spool/tmp
CacheDir $cups/cache
StateDir $cups/state
ErrorLog $cups/log/error_log
AccessLog $cups/log/access_log
PageLog $cups/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
Printcap $cups/state/printcap
Sandboxing Relaxed
EOF
cat >"$cups/root/cupsd.conf" <<EOF
Listen $cups/cups.sock
LogLevel debug
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$cups/root/cups-pdf.conf" <<EOF
Out $pdfs
AnonDirName $pdfs
Spool $cups/spool/cups-pdf
Label 0
UserUMask 0000
Log $cups/log
LogType 3
EOF
mkdir -p "$cups/spool/cups-pdf"

cupsd -f -c "$cups/root/cupsd.conf" -s "$cups/root/cups-files.conf" >"$cups/log/cupsd.out" 2>&1 &
cupsd_pid=$!
trap 'for p in $pid $xvfb $cupsd_pid; do kill "$p" 2>/dev/null || true; done
      for p in $pid $xvfb $cupsd_pid; do wait "$p" 2>/dev/null || true; done
      rm -f "$queue_conf"; rm -rf "$work"' EXIT
cp "$cups/root/cups-pdf.conf" "$queue_conf"
export CUPS_SERVER=$cups/cups.sock
spooler_answers() { lpstat -r | grep -q "is running"; }
if ! wait_for 10 spooler_answers; then
    cat "$cups/log/cupsd.out" "$cups/log/error_log" >&2 2>/dev/null || true
    fail "cupsd did not start with the private configuration in $cups/root"
fi
# Cairo's PostScript keeps the glyph names of the fonts, from which CUPS-PDF's Ghostscript
# knows the characters again; the other renderers' PostScript loses them, and the text with them.
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
    -o pdftops-renderer-default=pdftocairo \
    || fail "lpadmin could not add the CUPS-PDF queue"

# A copy, so that nothing the program does can change the sample.
cp "$sample" "$work/Sample.agl"
sample=$work/Sample.agl
"$program" "$sample" &
pid=$!
wait_for 10 xdotool search --name "^Sample - Agendrix$" || fail "the window did not appear"
window=$(xdotool search --name "^Sample - Agendrix$" | head -1)
xdotool windowfocus --sync "$window"
wait_for 10 has_keyboard "$window" || fail "the list window did not take the keyboard"

xdotool key alt+p
wait_for 10 xdotool search --onlyvisible --name "^Print$" || fail "Alt+P did not open the print dialog"
dialog=$(xdotool search --onlyvisible --name "^Print$" | head -1)
xdotool windowfocus --sync "$dialog"
wait_for 10 has_keyboard "$dialog" || fail "the print dialog did not take the keyboard"
# The printer list has the keyboard: typing a name selects that entry.
xdotool type --delay 50 "$queue"
xdotool key alt+o
wait_for 10 bash -c "! xdotool search --onlyvisible --name '^Print$'" || fail "OK did not close the print dialog"

printed() { compgen -G "$pdfs/*.pdf" >/dev/null && [[ -z $(lpstat -o "$queue") ]]; }
if ! wait_for 40 printed; then
    ls -la "$pdfs" >&2
    tail -n 40 "$cups/log/error_log" >&2 || true
    fail "CUPS-PDF wrote no PDF for the job"
fi
text=$(pdftotext -layout "$(compgen -G "$pdfs/*.pdf" | head -1)" -)
# The title block, the headings in priority order with their tasks, and the footer, in this order.
expected=("Sample" "Agendrix" "13 items, printed on" "Extreme Priority" "☐ File the quarterly tax return"
    "Very High Priority" "☐ Pay the electricity bill" "Unprioritized" "☐ Ideas for the holidays"
    "Completed Items" "☑ 2026/12/04 - Pay rent" "$sample")
rest=$text
for part in "${expected[@]}"; do
    [[ $rest == *"$part"* ]] || { echo "$text" >&2; fail "the printed page lacks \"$part\" where it belongs"; }
    rest=${rest#*"$part"}
done
echo "PASS"
