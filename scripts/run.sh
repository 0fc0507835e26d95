#!/bin/sh
# Installs what is missing, builds, and starts the configurator.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec build/bin/vo40913-configurator "$@"
