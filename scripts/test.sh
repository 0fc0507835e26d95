#!/bin/sh
# Installs what is missing, builds, and runs every test: in the normal build, then in the build
# with AddressSanitizer and UndefinedBehaviorSanitizer (preset asan), where any finding fails.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for PRESET in default asan; do
    cmake --preset $PRESET
    cmake --build --preset $PRESET
    QT_QPA_PLATFORM=offscreen ctest --preset $PRESET
done
