#!/bin/sh
# A printer of the test run's own: a private CUPS scheduler, started by the
# invoking user (root or not), with its configuration, spool, logs and socket
# under FOLDER, and one queue, MacroCreatorPDF, as its default printer. The
# queue's device writes each job as FOLDER/pdf/job_N.pdf, whatever the job's
# owner. The tests and the program reach the scheduler through
#     CUPS_SERVER=FOLDER/cupsd.sock
# The machine's own scheduler, its queues and its default printer are never
# touched, and two runs in two build folders never meet.
#
#   cups-test-printer.sh start FOLDER   a fresh scheduler (one left in FOLDER by an interrupted run is stopped)
#   cups-test-printer.sh stop FOLDER    stops the scheduler of FOLDER, if it runs
#
# Needs the packages cups-daemon and cups-client.
set -eu

QUEUE=MacroCreatorPDF

[ $# -eq 2 ] || { echo "usage: $0 start|stop FOLDER" >&2; exit 2; }
action=$1
mkdir -p "$2"
folder=$(cd "$2" && pwd)
socket="$folder/cupsd.sock"
pid_file="$folder/cupsd.pid"

export CUPS_SERVER="$socket"
unset PRINTER LPDEST
# cupsd and lpadmin live in sbin, which an ordinary user's PATH may lack.
PATH="$PATH:/usr/sbin:/sbin"

# A process that has exited but not been reaped yet still answers kill -0.
alive() { kill -0 "$1" 2>/dev/null && ! grep -qs '^State:[[:space:]]*Z' "/proc/$1/status"; }

# The scheduler of this folder: its process still runs our copy of cupsd.
ours() {
    [ -f "$pid_file" ] || return 1
    pid=$(cat "$pid_file")
    alive "$pid" && [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$folder/bin/cupsd" ]
}

stop() {
    ours || { rm -f "$pid_file"; return 0; }
    kill "$pid" 2>/dev/null || true
    tries=0
    while alive "$pid" && [ "$tries" -lt 100 ]; do
        tries=$((tries + 1))
        sleep 0.1
    done
    alive "$pid" && kill -9 "$pid" 2>/dev/null || true
    rm -f "$pid_file"
}

start() {
    stop
    # Nothing of an earlier run (queues, jobs, PDFs) reaches this one.
    rm -rf "$folder/conf" "$folder/spool" "$folder/cache" "$folder/state" "$folder/log" "$folder/bin" "$folder/pdf" \
        "$socket"
    if [ ${#socket} -gt 100 ]; then
        echo "The test printer's socket path $socket is too long for a local socket; use a shorter build folder." >&2
        exit 1
    fi
    for program in cupsd lpstat lpadmin; do
        command -v "$program" >/dev/null || {
            echo "The test printer needs $program (scripts/install-deps.sh installs it)." >&2
            exit 1
        }
    done
    (umask 022 && mkdir -p "$folder/conf" "$folder/spool/temp" "$folder/cache" "$folder/state" "$folder/log" \
        "$folder/bin/backend" "$folder/pdf")
    # A copy of the system's cupsd: the system's confinement profile (AppArmor
    # on Debian) is tied to /usr/sbin/cupsd and would keep it out of FOLDER.
    cp "$(command -v cupsd)" "$folder/bin/cupsd"
    ln -s /usr/lib/cups/daemon "$folder/bin/daemon"
    ln -s /usr/lib/cups/filter "$folder/bin/filter"
    # The device: the job's document as it came (a raw queue, no filters),
    # moved into place whole once written. Mode 0700: a scheduler run by root
    # runs such a backend as root, so it may write into FOLDER.
    cat >"$folder/bin/backend/mc-pdf" <<'BACKEND'
#!/bin/sh
# mc-pdf:FOLDER  writes job N as FOLDER/job_N.pdf
[ $# -eq 0 ] && { echo 'file mc-pdf "Unknown" "Test printer folder"'; exit 0; }
folder=${DEVICE_URI#mc-pdf:}
part="$folder/.job_$1.part"
if [ $# -ge 6 ]; then cat "$6"; else cat; fi >"$part" && mv "$part" "$folder/job_$1.pdf"
BACKEND
    chmod 0700 "$folder/bin/backend/mc-pdf"

    cat >"$folder/conf/cups-files.conf" <<FILES
ServerRoot $folder/conf
ServerBin $folder/bin
StateDir $folder/state
CacheDir $folder/cache
RequestRoot $folder/spool
TempDir $folder/spool/temp
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
Printcap /dev/null
FILES
    # Only its own socket; every operation is allowed to whoever can reach it.
    cat >"$folder/conf/cupsd.conf" <<CONF
Listen $socket
Browsing Off
LogLevel info
DefaultAuthType None
PreserveJobHistory No
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order Allow,Deny
    Allow all
  </Limit>
</Policy>
CONF

    "$folder/bin/cupsd" -f -c "$folder/conf/cupsd.conf" -s "$folder/conf/cups-files.conf" \
        </dev/null >"$folder/log/cupsd.out" 2>&1 &
    echo $! >"$pid_file"
    tries=0
    until lpstat -r 2>/dev/null | grep -q 'is running'; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! ours; then
            echo "The test printer's scheduler did not come up:" >&2
            cat "$folder/log/cupsd.out" "$folder/log/error_log" >&2 2>/dev/null || true
            stop
            exit 1
        fi
        sleep 0.1
    done
    lpadmin -p "$QUEUE" -E -v "mc-pdf:$folder/pdf" -o printer-error-policy=abort-job
    lpadmin -d "$QUEUE"
    echo "Test printer $QUEUE ready: CUPS_SERVER=$socket, jobs in $folder/pdf"
}

case "$action" in
    start) start ;;
    stop) stop ;;
    *)
        echo "usage: $0 start|stop FOLDER" >&2
        exit 2
        ;;
esac
