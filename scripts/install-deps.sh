#!/bin/sh
# Installs the Debian 12 packages that building, running and testing need, when any is missing.
set -eu
PACKAGES="g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libpugixml-dev libcurl4-openssl-dev \
libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth iputils-ping fonts-dejavu-core clang-format \
clang-14 libclang-rt-14-dev dpkg-dev desktop-file-utils poppler-utils time qt6-translations-l10n"
MISSING=""
for P in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$P" 2>/dev/null | grep -q "install ok installed" || MISSING="$MISSING $P"
done
[ -z "$MISSING" ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing:$MISSING"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $MISSING
