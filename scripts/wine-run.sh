#!/bin/sh
# Runs a Windows program under wine in the project's own wine prefix, with the mingw runtime and
# the given DLL folders on its path. Used as CMake's emulator for the Windows build.
#
#   scripts/wine-run.sh [--dlls FOLDER]... PROGRAM.exe [ARGUMENT]...
set -eu
# CI may start without HOME; the caches live in the home folder.
: "${HOME:=$(getent passwd "$(id -u)" | cut -d: -f6)}"
export HOME
DLLS="/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib"
while [ "${1:-}" = "--dlls" ]; do
    DLLS="$2 $DLLS"
    shift 2
done
WINEPATH=""
for FOLDER in $DLLS; do
    WINEPATH="${WINEPATH:+$WINEPATH;}Z:$(echo "$FOLDER" | tr / '\\')"
done
export WINEPATH
export WINEPREFIX="${WINEPREFIX:-$HOME/.cache/vo40913-wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
