#!/usr/bin/env bash
# Starts and stops a private bus that every test sees as its system or its session bus.
# Usage: privatebus.sh start CONFIG PIDFILE, privatebus.sh stop CONFIG PIDFILE
set -euo pipefail
action=$1 config=$2 pidfile=$3

stop() {
    [ -f "$pidfile" ] || return 0
    pid=$(cat "$pidfile")
    # Only the bus this file started: after a reboot the number may belong to anyone.
    if grep -qF -- "$config" "/proc/$pid/cmdline" 2>/dev/null; then
        kill "$pid"
    fi
    rm -f "$pidfile"
}

case $action in
start)
    # A bus left by an interrupted run would be orphaned when the socket is taken over.
    stop
    # Forked, the daemon points its standard streams at /dev/null, so ctest does not wait for it.
    dbus-daemon --config-file="$config" --fork --print-pid=3 3>"$pidfile"
    echo "private bus $(cat "$pidfile"): $(grep -o 'unix:[^<]*' "$config")"
    ;;
stop) stop ;;
*) exit 2 ;;
esac
