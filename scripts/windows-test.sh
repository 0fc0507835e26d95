#!/bin/sh
# Cross-builds the project for Windows and runs its tests under wine, in a wine prefix of its own
# with a persistent wine server.
#
#   scripts/windows-test.sh [core|full]
#
# core: the core and the command line on Qt Core (preset windows-core), as CI runs it.
# full: everything, the windows included (preset windows), the packages made and installed, and
#       screenshots of the main window and the parameter dialog in build-windows/shots.
set -eu
# CI may start without HOME; the caches live in the home folder.
: "${HOME:=$(getent passwd "$(id -u)" | cut -d: -f6)}"
export HOME
FLAVOUR=${1:-core}
case "$FLAVOUR" in
core) PRESET=windows-core ;;
full) PRESET=windows ;;
*) echo "usage: $0 [core|full]" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.."
scripts/windows-deps.sh "$FLAVOUR"

export WINEPREFIX="${WINEPREFIX:-$HOME/.cache/vo40913-wine}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A server that outlives each program (one already running serves as well), and a prefix made and
# started before the tests: wine's own services started by the first test would otherwise hold
# ctest's output pipe open.
wineserver -p >/dev/null 2>&1 || true
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null

START=$(date +%s)
cmake --preset $PRESET
nice -n 15 cmake --build --preset $PRESET -j "${VO_JOBS:-2}"
echo "Windows build ($PRESET): $(($(date +%s) - START)) s"
START=$(date +%s)
ctest --preset $PRESET -j "${VO_JOBS:-2}" </dev/null
echo "Windows tests ($PRESET): $(($(date +%s) - START)) s"
if [ "$FLAVOUR" = full ]; then
    scripts/windows-shots.sh build-windows build-windows/shots
fi
