#!/bin/sh
# Builds the Debian package build/shaftline_<version>_<arch>.deb (installs what it needs with apt).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target shaftline shaftline-calc shaftline_install_files
cd build
cpack -G DEB
