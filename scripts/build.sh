#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), then configures and builds.
# Usage: scripts/build.sh [build directory] [extra CMake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
shift || true

# qtbase5-dev brings Qt SQL's headers; its SQLite driver is a package of its own.
scripts/install-packages.sh cmake g++ make qtbase5-dev libqt5serialport5-dev libqt5sql5-sqlite \
    qttools5-dev qttranslations5-l10n xvfb xauth xdotool imagemagick python3-dbusmock man-db
cmake -S . -B "$build_dir" "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
