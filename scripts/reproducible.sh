#!/usr/bin/env bash
# Builds the Debian package twice, from two clones of the last commit in
# folders of different names and depths, and compares the two files byte for
# byte. Prints both checksums; exits 1 when they differ (then diffoscope, if
# installed, shows where).
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sums=()
for folder in "$work/a" "$work/another/much/longer/folder"; do
    git clone -q "$PWD" "$folder"
    (cd "$folder" && scripts/package.sh > "$work/$(basename "$folder").log" 2>&1) || { cat "$work/$(basename "$folder").log"; exit 1; }
    sums+=("$(sha256sum "$folder"/build/package/palabrum_*.deb | cut -d' ' -f1)")
    echo "${sums[-1]}  built in $folder"
done
if [ "${sums[0]}" != "${sums[1]}" ]; then
    echo "The two packages differ."
    command -v diffoscope >/dev/null && diffoscope "$work"/a/build/package/*.deb "$work"/another/much/longer/folder/build/package/*.deb
    exit 1
fi
echo "Reproducible: the two packages are identical."
