#!/bin/sh
# Builds the program and starts it.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target shaftline shaftline-calc
exec ./build/bin/shaftline "$@"
