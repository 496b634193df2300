#!/usr/bin/env bash
# Installs, from Debian, every package that building, testing and running
# Palabrum needs, and nothing when all are there already. Safe to run again.
set -euo pipefail

packages=(
    # build
    g++ cmake ninja-build pkgconf
    # the program
    qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
    # tests, benchmarks, fuzzing, mutation runs
    libgtest-dev libgmock-dev libbenchmark-dev clang-14 libclang-rt-14-dev time python3
    # a virtual display for running the program where there is no screen
    xvfb xauth
    # packaging: the Debian package's library dependencies, and checks of the desktop files
    dpkg-dev appstream desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root, or install sudo, to install: ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
