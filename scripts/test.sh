#!/bin/sh
# Installs what is missing, builds, and runs every test: in the normal build, then in the build
# with AddressSanitizer and UndefinedBehaviorSanitizer (preset asan), where any finding fails.
# VO_STRICT=ON makes the normal build the strict one CI asks for: every warning an error.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default -DVO_STRICT="${VO_STRICT:-OFF}"
cmake --build --preset default
QT_QPA_PLATFORM=offscreen ctest --preset default
cmake --preset asan
cmake --build --preset asan
QT_QPA_PLATFORM=offscreen ctest --preset asan
