#!/bin/sh
# Installs the Debian 12 packages that building, running and testing need, when any is missing.
#
#   scripts/install-deps.sh [windows]
#
# windows: also what cross-building for Windows, testing under wine and packaging for Windows need
# (the mingw-w64 -posix compilers, wine, the Debian tools that fetch and build the libraries'
# source packages, NSIS and zip).
set -eu
PACKAGES="g++ cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev libgl-dev libpugixml-dev libcurl4-openssl-dev \
libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth iputils-ping fonts-dejavu-core clang-format \
clang-14 libclang-rt-14-dev dpkg-dev desktop-file-utils poppler-utils time qt6-translations-l10n \
python3-pymodbus"
if [ "${1:-}" = windows ]; then
    PACKAGES="$PACKAGES g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
mingw-w64-x86-64-dev libz-mingw-w64-dev wine wine64 libwine-dev googletest qt6-base-dev-tools ccache python3 \
perl iproute2 procps util-linux passwd nsis zip unzip imagemagick x11-utils"
fi
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
