#!/usr/bin/env bash
# Starts the real program on a virtual X display, checks that its window comes up with the
# right title, then leaves through App > Quit (mnemonic Q) and expects exit code 0; again with a
# session bus that never answers. Before that, without any display, it expects the command line
# to refuse with status 2.
set -euo pipefail
program=$1
title="Corvanel Firmware Updater 1.0.1"
# Without a display the command line says how to send without a window, rather than Qt aborting.
without=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" &>/dev/null; echo $?)
[ -n "${SMOKE_ON_XVFB:-}" ] || [ "$without" = 2 ] || { echo "no display: status $without"; exit 1; }
[ -n "${SMOKE_ON_XVFB:-}" ] ||
    exec env SMOKE_ON_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
# The real window on the virtual display, whatever the caller set for its own tests. The window
# draws no OpenGL; without this, Qt's xcb plug-in loads Mesa's GLX driver where it is installed,
# and Mesa is unloaded before LeakSanitizer looks, leaving a leak it cannot attribute.
unset QT_QPA_PLATFORM
export QT_XCB_GL_INTEGRATION=none

work=$(mktemp -d)
cd "$work"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# Opens the window within the given seconds, then leaves through App > Quit.
open_and_quit() {
    "$program" &
    local updater=$!
    local window
    window=$(timeout "$1" xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1)
    echo "window $window: $(xdotool getwindowname "$window")"
    xdotool mousemove --window "$window" 20 10 click 1 sleep 0.5 key q
    timeout 10 tail --pid=$updater -f /dev/null || { echo "the program did not quit"; exit 1; }
    wait $updater
}
open_and_quit 20
# A session bus that accepts and never answers holds up neither Qt's accessibility bridge and
# menus nor the program: the window opens as quickly as with none.
python3 -c 'import socket, sys; s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(64)
kept = []
while True: kept.append(s.accept())' "$work/mute" &
timeout 5 sh -c "until [ -S '$work/mute' ]; do sleep 0.1; done"
DBUS_SESSION_BUS_ADDRESS="unix:path=$work/mute" open_and_quit 5
