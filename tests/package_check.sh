#!/usr/bin/env bash
# Builds the Debian package in a scratch folder and holds it to the
# distribution's own checkers: lintian (pedantic: no error and no warning) and
# the AppStream and desktop-entry validators on the files it installs.
set -euo pipefail
source=$1 work=$2
for tool in lintian appstreamcli desktop-file-validate dpkg-deb; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is missing (scripts/install-deps.sh --tests installs it)"
        exit 77
    fi
done
rm -rf "$work"
PALABRUM_PACKAGE_DIR=$work "$source/scripts/package.sh" > "$work.log" 2>&1 || { cat "$work.log"; exit 1; }
deb=$(ls "$work"/palabrum_*.deb)
# Informational tags may stay, each for a reason given in the README.
lintian --pedantic --fail-on error,warning "$deb"
dpkg-deb -x "$deb" "$work/root-check"
appstreamcli validate --pedantic --no-net "$work"/root-check/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$work"/root-check/usr/share/applications/*.desktop
echo "lintian, appstreamcli and desktop-file-validate accept $deb"
