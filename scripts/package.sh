#!/usr/bin/env bash
# Builds the Debian package: build/package/palabrum_<version>_<arch>.deb.
# Install it with: sudo apt install ./build/package/palabrum_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DPALABRUM_TESTS=OFF -DPALABRUM_BENCH=OFF
cmake --build build/package -j2 --target palabrum
rm -f build/package/*.deb
(cd build/package && cpack)
ls -1 build/package/*.deb
