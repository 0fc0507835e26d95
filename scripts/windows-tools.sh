#!/bin/sh
# Installs the Debian 12 packages that cross-building for Windows and testing under wine need,
# when any is missing.
set -eu
PACKAGES="g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev \
libz-mingw-w64-dev wine wine64 libwine-dev googletest dpkg-dev cmake ninja-build qt6-base-dev qt6-base-dev-tools \
ccache python3 iproute2 procps util-linux"
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
