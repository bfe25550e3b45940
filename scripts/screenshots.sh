#!/usr/bin/env bash
# Renders the README's pictures of the window into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
# No system bus at all: the pictures never show a question that this computer's battery or
# logind would have caused.
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/system_bus_socket
QT_QPA_PLATFORM=offscreen build/docs/readme-screenshots docs
