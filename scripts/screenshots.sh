#!/usr/bin/env bash
# Renders the README's pictures of the window into docs/: the English ones, and one picture for
# each language the program speaks, or for the languages given.
# Usage: scripts/screenshots.sh [language...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
# No system bus at all: the pictures never show a question that this computer's battery or
# logind would have caused. No session bus either: the updates in the pictures put nothing in
# this desktop's dock or notices.
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/system_bus_socket
unset DBUS_SESSION_BUS_ADDRESS
export QT_QPA_PLATFORM=offscreen
# The updates in the pictures are no updates of this computer's: their history goes with them.
XDG_STATE_HOME=$(mktemp -d)
export XDG_STATE_HOME
trap 'rm -rf "$XDG_STATE_HOME"' EXIT
if [ $# -eq 0 ]; then
    build/docs/readme-screenshots docs
    set -- de es fr it
fi
for language in "$@"; do
    build/docs/readme-screenshots docs "$language"
done
