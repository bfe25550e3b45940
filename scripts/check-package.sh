#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built, as Debian's reviewers and software
# centres judge it: lintian on the package, then the desktop entry, the AppStream metadata and the
# manual page as they are shipped in it. Any error or warning fails the check.
# Usage: scripts/check-package.sh [package, default the newest in build/]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh lintian desktop-file-utils appstream man-db
package=${1:-$(ls -t build/fixture-software-updater_*.deb | head -n1)}
app_id=example.tamsenholt.fixturesoftwareupdater

# The scratch folder is readable by all, as lintian runs unprivileged below.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$package" "$work/"
package="$work/$(basename "$package")"
chmod 644 "$package"
root="$work/root"
dpkg-deb -x "$package" "$root"

failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

# lintian advises against running as root, and reading a package needs no privileges.
echo "== lintian $(basename "$package")"
unprivileged=()
[ "$(id -u)" -ne 0 ] || unprivileged=(runuser -u nobody --)
status=0
output=$(cd "$work" && "${unprivileged[@]}" lintian --display-info "$package" 2>&1) || status=$?
[ -z "$output" ] || echo "$output"
[ "$status" -eq 0 ] || fail "lintian exited with $status"
! grep -q '^[EW]: ' <<<"$output" || fail "lintian reported errors or warnings"

desktop_entry="$root/usr/share/applications/$app_id.desktop"
echo "== desktop-file-validate ${desktop_entry#"$root"}"
status=0
output=$(desktop-file-validate "$desktop_entry" 2>&1) || status=$?
[ -z "$output" ] || echo "$output"
[ "$status" -eq 0 ] && [ -z "$output" ] || fail "desktop-file-validate is not silent"

metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
echo "== appstreamcli validate --no-net --pedantic ${metainfo#"$root"}"
status=0
output=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "appstreamcli exited with $status"
! grep -q '^ *[EW]: ' <<<"$output" || fail "appstreamcli reported errors or warnings"

# The tree check also looks for the desktop entry that the metadata launches.
echo "== appstreamcli validate-tree --no-net --pedantic (the package's files)"
status=0
output=$(appstreamcli validate-tree --no-net --pedantic "$root" 2>&1) || status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "appstreamcli validate-tree exited with $status"
! grep -q '^ *[EW]: ' <<<"$output" || fail "appstreamcli validate-tree reported errors or warnings"

icon=$(sed -n 's/^Icon=//p' "$desktop_entry")
echo "== icon $icon"
for size in 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png" ] ||
        fail "the desktop entry's icon $icon is not shipped at $size px"
done

# Debian formats manual pages 80 columns wide; the page has to set without a warning there.
manual="$root/usr/share/man/man1/fixture-software-updater.1.gz"
echo "== man --warnings -l ${manual#"$root"}"
errors=$(MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null) || fail "man exited with $?"
[ -z "$errors" ] || { echo "$errors"; fail "man printed warnings"; }

# The metadata's newest release is written by hand; it has to follow the project's version.
version=$(dpkg-deb -f "$package" Version)
release=$(grep -o -m1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
echo "== versions: package $version, newest AppStream release $release"
[ "$release" = "$version" ] || fail "the AppStream metadata has no release entry for $version"

[ "$failed" -eq 0 ] && echo "Package checks passed"
exit "$failed"
