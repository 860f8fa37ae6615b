#!/bin/sh
# A real default printer for the print tests: a local CUPS scheduler with a
# cups-pdf queue that writes every job as a PDF into ~/PDF of the job's user.
#
#   cups-test-printer.sh start   start cupsd if needed, create the queue, make it the default
#   cups-test-printer.sh stop    stop the cupsd that `start` launched (never one it found running)
#
# Both are idempotent. Needs root (cupsd, lpadmin) and the packages cups,
# printer-driver-cups-pdf and poppler-utils.
set -eu

QUEUE=MacroCreatorPDF
PID_FILE=/run/cups/cupsd.pid
# Written only when this script launched cupsd, so `stop` leaves a system one alone.
OURS_FILE=/run/cups/macro-creator-test.pid

# Talk to the local scheduler whatever the caller's environment says.
unset CUPS_SERVER PRINTER LPDEST

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

# A process that has exited but not been reaped yet still answers kill -0.
alive() { kill -0 "$1" 2>/dev/null && ! grep -qs '^State:[[:space:]]*Z' "/proc/$1/status"; }

start() {
    if ! running; then
        mkdir -p /run/cups
        rm -f "$OURS_FILE"
        cupsd   # daemonizes and writes $PID_FILE
        tries=0
        until running; do
            tries=$((tries + 1))
            if [ "$tries" -gt 100 ]; then
                echo "cupsd did not come up" >&2
                exit 1
            fi
            sleep 0.1
        done
        cp "$PID_FILE" "$OURS_FILE"
    fi
    if ! lpstat -p "$QUEUE" >/dev/null 2>&1; then
        # pdftocairo keeps the fonts of Qt's PDF as real fonts, so the text
        # of the printed PDF can be read back; the default renderer turns
        # them into Type 3 glyph drawings.
        lpadmin -p "$QUEUE" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
            -o pdftops-renderer-default=pdftocairo -o TitlePref=1 -o printer-error-policy=abort-job
    fi
    lpadmin -d "$QUEUE"
    cupsenable "$QUEUE"
    cupsaccept "$QUEUE"
    # Jobs a failed earlier run left behind would turn up in this run's PDFs.
    cancel -a "$QUEUE"
}

stop() {
    [ -f "$OURS_FILE" ] || return 0
    pid=$(cat "$OURS_FILE")
    rm -f "$OURS_FILE"
    # Only if the scheduler is still the process that was started here.
    if [ "$(cat "$PID_FILE" 2>/dev/null)" = "$pid" ] && kill "$pid" 2>/dev/null; then
        tries=0
        while alive "$pid" && [ "$tries" -lt 100 ]; do
            tries=$((tries + 1))
            sleep 0.1
        done
    fi
}

case "${1:-}" in
    start) start ;;
    stop) stop ;;
    *)
        echo "usage: $0 start|stop" >&2
        exit 2
        ;;
esac
