#!/bin/sh
# Screenshots of the Windows configurator under wine on a virtual display: the main window with a
# configuration open, then its parameter dialog, opened from the keyboard as a user would.
#
#   scripts/windows-shots.sh BUILD_DIR SHOTS_DIR
#
# BUILD_DIR is a build of preset windows; SHOTS_DIR gets main-window.png and parameter-dialog.png.
set -eu
: "${HOME:=$(getent passwd "$(id -u)" | cut -d: -f6)}"
export HOME
REPO=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "$1" && pwd)
mkdir -p "$2"
SHOTS=$(cd "$2" && pwd)
QT_BIN=$(sed -n 's/^VO_WINDOWS_DEPS:PATH=//p' "$BUILD/CMakeCache.txt")/qt_full/bin
APP=$(mktemp -d)
trap 'rm -rf "$APP"' EXIT
cp "$BUILD/bin/vo40913-configurator.exe" "$BUILD/bin/vo40913-cli.exe" "$APP/"
cp -r "$REPO/data/LANGUAGE" "$REPO/data/MASTER" "$APP/"
RUN="$REPO/scripts/wine-run.sh --dlls $QT_BIN"
$RUN "$APP/vo40913-cli.exe" new Plant1 </dev/null >/dev/null
# Reopened at the start, as the configuration used last.
printf '<Conf_Settings><lastproj><projectname>Plant1</projectname></lastproj></Conf_Settings>\n' >"$APP/Vorlent.xml"

xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    set -eu
    # A wine server started without this display (the tests'"'"' one) would show the windows nowhere.
    wineserver -k 2>/dev/null || true
    $1 "$2/vo40913-configurator.exe" </dev/null >/dev/null 2>&1 &
    PROGRAM=$!
    trap "kill $PROGRAM 2>/dev/null || true" EXIT
    MAIN=$(timeout 120 xdotool search --sync --onlyvisible --name "Configurator VO40913" | head -n 1)
    [ -n "$MAIN" ] || { echo "the main window did not show" >&2; exit 1; }
    xdotool windowfocus --sync "$MAIN"
    import -window root "$3/main-window.png"
    # The focus starts at "New Configuration"; the third step opens the parameters.
    xdotool key Tab Tab space
    timeout 60 xdotool search --sync --onlyvisible --name "Set Communication" >/dev/null ||
        { echo "the parameter dialog did not show" >&2; exit 1; }
    import -window root "$3/parameter-dialog.png"
' sh "$RUN" "$APP" "$SHOTS"
echo "Screenshots in $SHOTS: main-window.png parameter-dialog.png"
