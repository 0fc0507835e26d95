#!/bin/sh
# The Windows installation as a user gets it, under wine: cpack makes a .zip of the portable folder
# and an NSIS installer. The unpacked .zip runs on its own DLLs; the installer installs silently for
# the user, the installed configurator starts (on a virtual display) and makes its folders beside
# itself, and the uninstaller removes the program but leaves the user's configurations.
# Usage: Windows_Package_Test.sh BUILD_DIR CPACK. Exit status 77 (skipped) without makensis or
# xvfb-run.
set -eu
BUILD="$1"
CPACK="$2"
for TOOL in makensis xvfb-run unzip; do
    command -v "$TOOL" >/dev/null || { echo "skipped: $TOOL is not installed"; exit 77; }
done
export WINEPREFIX="${WINEPREFIX:-$HOME/.cache/vo40913-wine}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# No DLL folder of the build on the path: the installation must bring its own.
unset WINEPATH
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
has_installation() {
    for ENTRY in vo40913-configurator.exe vo40913-cli.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
        libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zlib1.dll platforms/qwindows.dll \
        LANGUAGE/English.lng LANGUAGE/English.bmp MASTER/README.txt; do
        [ -e "$1/$ENTRY" ] || fail "$1 lacks $ENTRY"
    done
}

(cd "$WORK" && "$CPACK" --config "$BUILD/CPackConfig.cmake" -B "$WORK/packages" >"$WORK/cpack.log" 2>&1) ||
    { cat "$WORK/cpack.log"; fail "cpack"; }
set -- "$WORK"/packages/vo40913-*-win64.zip
[ -f "$1" ] || fail "no .zip"
unzip -q "$1" -d "$WORK/zip"
PORTABLE=$(echo "$WORK"/zip/vo40913-*-win64)
has_installation "$PORTABLE"
VERSION=$(wine "$PORTABLE/vo40913-cli.exe" --version </dev/null | tr -d '\r')
[ "$VERSION" = "VO40913 $(basename "$1" | sed 's/^vo40913-\(.*\)-win64.zip$/\1/')" ] ||
    fail "the unpacked program answers \"$VERSION\""

set -- "$WORK"/packages/vo40913-*-win64.exe
[ -f "$1" ] || fail "no installer"
wine "$1" /S </dev/null
# For the user: under the user's local programs folder (a member of the administrators' group) or
# Documents (any other user).
INSTALLED=""
for ROOT in "$(wine cmd /c echo %USERPROFILE%\\AppData\\Local\\Programs </dev/null | tr -d '\r')" \
    "$(wine cmd /c echo %USERPROFILE%\\Documents </dev/null | tr -d '\r')"; do
    FOLDER="$(winepath -u "$ROOT\\vo40913" 2>/dev/null)"
    [ -e "$FOLDER/vo40913-configurator.exe" ] && INSTALLED="$FOLDER"
done
[ -n "$INSTALLED" ] || fail "nothing installed for the user"
has_installation "$INSTALLED"
[ -e "$INSTALLED/Uninstall.exe" ] || fail "no uninstaller"

# The installed configurator starts and makes its configuration folder beside itself, which it can
# only where its user may write.
xvfb-run -a sh -c '
    wine "$1/vo40913-configurator.exe" </dev/null >/dev/null 2>&1 &
    PROGRAM=$!
    TRIES=0
    while [ ! -d "$1/PROJECTS" ] && kill -0 $PROGRAM 2>/dev/null && [ $TRIES -lt 600 ]; do
        TRIES=$((TRIES + 1))
        sleep 0.1
    done
    kill -0 $PROGRAM 2>/dev/null || { echo "FAIL: the installed configurator ended at its start" >&2; exit 1; }
    kill $PROGRAM
    [ -d "$1/PROJECTS" ] || { echo "FAIL: the installed configurator made no PROJECTS folder" >&2; exit 1; }
' sh "$INSTALLED"
mkdir -p "$INSTALLED/PROJECTS/Plant1"
echo kept >"$INSTALLED/PROJECTS/Plant1/ParGen.xml"

# Run where it lies (_?=), so that the uninstaller ends before this script goes on.
wine "$INSTALLED/Uninstall.exe" /S "_?=$(winepath -w "$INSTALLED")" </dev/null
for ENTRY in vo40913-configurator.exe vo40913-cli.exe Qt6Core.dll platforms/qwindows.dll LANGUAGE/English.lng; do
    [ ! -e "$INSTALLED/$ENTRY" ] || fail "the uninstaller left $ENTRY"
done
[ "$(cat "$INSTALLED/PROJECTS/Plant1/ParGen.xml")" = kept ] || fail "the uninstaller took the user's configurations"
rm -rf "$INSTALLED"
echo "ok: zip, silent installation for the user, start, uninstallation"
