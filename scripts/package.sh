#!/usr/bin/env bash
# Builds the Debian package, installs it with apt and starts the installed program on a virtual
# display long enough to see its window, then quits it through its menu.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh dpkg-dev
scripts/build.sh build
(cd build && cpack -G DEB)
package=$(ls -t build/fixture-software-updater_*.deb | head -n1)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# --reinstall: the same version may be installed already, from an earlier build.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install --reinstall -y -qq "./$package" </dev/null
echo "Installed $package"
tests/app/smoke_xvfb.sh "$(command -v fixture-software-updater)"
