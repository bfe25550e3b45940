#!/usr/bin/env bash
# Starts the built program. Without a display it runs on a virtual one (Xvfb) and leaves a
# screenshot of the window; it then keeps running until Ctrl-C when started from a terminal.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program="$root/build/app/fixture-software-updater"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting the program on a virtual display (Xvfb)."
    exec env UPDATER_ON_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi
[ -n "${UPDATER_ON_XVFB:-}" ] || exec "$program"

"$program" &
updater=$!
trap 'kill $updater 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Corvanel Firmware Updater" | head -n1)
sleep 0.5
screenshot="$root/build/screenshot.png"
import -window "$window" "$screenshot"
echo "Screenshot of the window: $screenshot"

if [ -t 0 ]; then
    echo "The program keeps running on the virtual display $DISPLAY; press Ctrl-C to stop it."
    wait $updater
fi
