#!/usr/bin/env bash
# Renders the README's pictures of the window into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
QT_QPA_PLATFORM=offscreen build/docs/readme-screenshots docs
