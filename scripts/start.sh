#!/usr/bin/env bash
# Starts the built program. Without a display it runs on a virtual one (Xvfb) and leaves a
# screenshot of the window; it then keeps running until Ctrl-C when started from a terminal.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program="$root/build/app/fixture-software-updater"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi

work=$(mktemp -d)
exec 3>"$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/displayfd" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/displayfd")"
echo "No display found: running on the virtual display $DISPLAY (Xvfb)."

"$program" &
updater=$!
trap 'kill $updater $xvfb 2>/dev/null; rm -rf "$work"' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Corvanel Firmware Updater" | head -n1)
sleep 0.5
screenshot="$root/build/screenshot.png"
import -window "$window" "$screenshot"
echo "Screenshot of the window: $screenshot"

if [ -t 0 ]; then
    echo "The program keeps running on $DISPLAY; press Ctrl-C to stop it."
    wait $updater
fi
