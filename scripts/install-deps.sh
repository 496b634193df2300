#!/usr/bin/env bash
# Installs from Debian the packages Palabrum needs, and nothing when they are
# all there already. Safe to run again.
#
#   scripts/install-deps.sh              building and playing only
#   scripts/install-deps.sh --tests      also the tests, benchmarks, fuzzing and packaging checks
#   scripts/install-deps.sh --packaging  also what building the Debian package takes
set -euo pipefail

packages=(
    # building
    g++ cmake ninja-build pkgconf qt6-base-dev qt6-l10n-tools libsodium-dev libmosquitto-dev
    # playing: the window without a desktop (screenshots), a font, the toolkit's own translations
    qt6-qpa-plugins fonts-dejavu-core qt6-translations-l10n
)
packaging=(dpkg-dev lintian appstream desktop-file-utils)
for group in "$@"; do
    case $group in
        --tests)
            packages+=(
                # tests, benchmarks, fuzzing, mutation runs
                libgtest-dev libgmock-dev libbenchmark-dev clang-14 libclang-rt-14-dev time python3
                # a virtual display for running the program where there is no screen
                xvfb xauth
                # a real message broker for the meeting tests and the load benchmark
                mosquitto
                "${packaging[@]}"
            ) ;;
        --packaging) packages+=("${packaging[@]}") ;;
        *) echo "install-deps.sh: unknown group $group (--tests, --packaging)" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${#missing[@]} Debian packages (a few minutes on a fresh machine): ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root, or install sudo, to install: ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
