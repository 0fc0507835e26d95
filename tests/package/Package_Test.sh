#!/bin/sh
# The installation as a user gets it: cmake --install makes a portable folder whose programs keep
# their configurations beside them; cpack makes a .tar.gz of that folder and a .deb whose
# launchers run each user's own copy of it. Usage: Package_Test.sh BUILD_DIR CMAKE CPACK.
# Exit status 77 (skipped) where the Debian tools that cpack needs are missing.
set -eu
BUILD="$1"
CMAKE="$2"
CPACK="$3"
for TOOL in dpkg-deb dpkg-shlibdeps; do
    command -v "$TOOL" >/dev/null || { echo "skipped: $TOOL is not installed (Debian package dpkg-dev)"; exit 77; }
done
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
has_portable_folder() {
    for ENTRY in vo40913-configurator vo40913-cli LANGUAGE/English.lng LANGUAGE/English.bmp MASTER/README.txt; do
        [ -e "$1/$ENTRY" ] || fail "$1 lacks $ENTRY"
    done
}

"$CMAKE" --install "$BUILD" --prefix "$WORK/portable" >/dev/null
has_portable_folder "$WORK/portable"
[ ! -e "$WORK/portable/vo40913.desktop" ] && [ ! -e "$WORK/portable/usr" ] || fail "desktop files in the portable folder"
"$WORK/portable/vo40913-cli" new Plant1 >/dev/null
[ -d "$WORK/portable/PROJECTS/Plant1/bin" ] || fail "the installed program does not keep PROJECTS beside it"

(cd "$WORK" && "$CPACK" --config "$BUILD/CPackConfig.cmake" -B "$WORK/packages" >/dev/null)
set -- "$WORK"/packages/vo40913-*-Linux.tar.gz
[ -f "$1" ] || fail "no .tar.gz"
mkdir "$WORK/tar" && tar -xzf "$1" -C "$WORK/tar"
has_portable_folder "$WORK"/tar/vo40913-*-Linux
set -- "$WORK"/packages/vo40913_*.deb
[ -f "$1" ] || fail "no .deb"
dpkg-deb -f "$1" Depends | grep -q libqt6widgets6 || fail "the .deb does not depend on Qt Widgets"
dpkg-deb -f "$1" Depends | grep -q libqt6serialport6 || fail "the .deb does not depend on Qt SerialPort"
dpkg-deb -f "$1" Depends | grep -q libcurl4 || fail "the .deb does not depend on libcurl, which the version check loads"
for RECOMMENDED in qt6-translations-l10n iputils-ping xdg-utils; do
    dpkg-deb -f "$1" Recommends | grep -q "$RECOMMENDED" || fail "the .deb does not recommend $RECOMMENDED"
done
dpkg-deb -x "$1" "$WORK/root"
has_portable_folder "$WORK/root/opt/vo40913"
for ENTRY in usr/bin/vo40913-configurator usr/bin/vo40913-cli usr/share/applications/vo40913.desktop \
    usr/share/icons/hicolor/scalable/apps/vo40913.svg; do
    [ -e "$WORK/root/$ENTRY" ] || fail "the .deb lacks /$ENTRY"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$WORK/root/usr/share/applications/vo40913.desktop" || fail "invalid desktop entry"
fi

# A user's first start: a copy in their data folder, the configuration inside it, /opt untouched.
COPY="$WORK/home/.local/share/vo40913"
HOME="$WORK/home" XDG_DATA_HOME="" "$WORK/root/usr/bin/vo40913-cli" new Plant1 >/dev/null
has_portable_folder "$COPY"
[ -d "$COPY/PROJECTS/Plant1/bin" ] || fail "the launcher's copy does not keep the configuration"
[ ! -e "$WORK/root/opt/vo40913/PROJECTS" ] || fail "the launcher wrote into the installed folder"

# An upgrade brings newer files; the user's configurations and the files they changed stay.
echo "STR0 = upgraded" >>"$WORK/root/opt/vo40913/LANGUAGE/Deutsch.lng"
touch -d "+1 hour" "$WORK/root/opt/vo40913/LANGUAGE/Deutsch.lng"
echo "STR0 = mine" >>"$COPY/LANGUAGE/Italiano.lng"
touch -d "+2 hours" "$COPY/LANGUAGE/Italiano.lng"
HOME="$WORK/home" XDG_DATA_HOME="" "$WORK/root/usr/bin/vo40913-cli" new Plant2 >/dev/null
cmp -s "$WORK/root/opt/vo40913/LANGUAGE/Deutsch.lng" "$COPY/LANGUAGE/Deutsch.lng" || fail "the upgrade did not reach the copy"
tail -n 1 "$COPY/LANGUAGE/Italiano.lng" | grep -q mine || fail "the user's own change was overwritten"
[ -d "$COPY/PROJECTS/Plant1" ] && [ -d "$COPY/PROJECTS/Plant2" ] || fail "configurations lost"
echo "portable folder, .tar.gz and .deb as expected"
