#!/bin/sh
# Builds everything and runs every test: the full build, then the Qt-free core once more under
# AddressSanitizer and UndefinedBehaviorSanitizer. Every suite runs twice: in C.UTF-8 and in the
# users' own ru_RU.UTF-8, where the C library and Qt write a decimal comma.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
JOBS="$(nproc)"
LOCALES="C.UTF-8 ru_RU.UTF-8"

run_suite() {
  for locale in $LOCALES; do
    echo "== $1 in $locale"
    LC_ALL="$locale" LANG="$locale" ctest --test-dir "$1" --output-on-failure -j "$JOBS"
  done
}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$JOBS"
run_suite build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DSHAFTLINE_CORE_ONLY=ON -DSHAFTLINE_SANITIZE=ON
cmake --build build-sanitize -j "$JOBS"
run_suite build-sanitize
