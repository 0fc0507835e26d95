#!/bin/bash
# Builds the libraries of the Windows build for mingw-w64 from Debian's own source packages, into a
# cache folder that later runs reuse: Qt (trimmed to what the program uses), libcurl (HTTP only),
# pugixml and GoogleTest. Prints the time each took.
#
#   scripts/windows-deps.sh [core|full] [LIBRARY]...
#
# core: Qt Core only, enough for the core library, the command line and their tests.
# full: Qt Core, Gui and Widgets with the windows and offscreen platform plugins.
# LIBRARY (pugixml, googletest, curl, qt) limits the run to those libraries.
# The cache is $VO_WINDOWS_DEPS, by default ~/.cache/vo40913-windows-deps; each library is rebuilt
# only when its source version or its build settings change.
set -euo pipefail
# CI may start without HOME; the caches live in the home folder.
: "${HOME:=$(getent passwd "$(id -u)" | cut -d: -f6)}"
export HOME
FLAVOUR=${1:-core}
shift || true
WANTED=" ${*:-pugixml googletest curl qt} "
case "$FLAVOUR" in core | full) ;; *) echo "usage: $0 [core|full]" >&2; exit 2 ;; esac
REPO=$(cd "$(dirname "$0")/.." && pwd)
CACHE=${VO_WINDOWS_DEPS:-$HOME/.cache/vo40913-windows-deps}
JOBS=${VO_JOBS:-2}
TOOLCHAIN=$REPO/cmake/Mingw_W64.cmake
mkdir -p "$CACHE/src" "$CACHE/build"

"$REPO/scripts/install-deps.sh" windows

# apt-get source needs a deb-src entry for the archive the binaries come from.
ensure_deb_src() {
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    local SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $SUDO tee /etc/apt/sources.list.d/vo40913-deb-src.sources >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $SUDO tee /etc/apt/sources.list.d/vo40913-deb-src.list >/dev/null
    fi
    $SUDO apt-get update
}

# Unpacks the Debian source package $1 into the cache once; prints its folder.
source_folder() {
    local PACKAGE=$1 FOLDER
    FOLDER=$(find "$CACHE/src" -maxdepth 1 -type d -name "$2-*" | head -n 1)
    if [ -z "$FOLDER" ]; then
        ensure_deb_src >&2
        (cd "$CACHE/src" && apt-get source "$PACKAGE" >&2)
        FOLDER=$(find "$CACHE/src" -maxdepth 1 -type d -name "$2-*" | head -n 1)
    fi
    echo "$FOLDER"
}

# Runs "build_$1 SOURCE PREFIX BUILD" unless the prefix holds a build of the same source and settings.
build_once() {
    local NAME=$1 SOURCE=$2 SETTINGS=$3 PREFIX=$CACHE/$1
    [[ $WANTED == *" ${NAME%_*} "* ]] || return 0
    local STAMP="$(basename "$SOURCE") $SETTINGS $(sha256sum "$TOOLCHAIN" | cut -c1-16)"
    if [ -f "$PREFIX/.built" ] && [ "$(cat "$PREFIX/.built")" = "$STAMP" ]; then
        echo "$NAME: cached in $PREFIX"
        return
    fi
    rm -rf "$PREFIX"
    # A build that stopped part-way with the same source and settings goes on where it stopped.
    if [ "$(cat "$CACHE/build/$NAME/.stamp" 2>/dev/null)" != "$STAMP" ]; then
        rm -rf "$CACHE/build/$NAME"
        mkdir -p "$CACHE/build/$NAME"
        echo "$STAMP" >"$CACHE/build/$NAME/.stamp"
    fi
    local START=$SECONDS
    local CPU_BEFORE CPU_AFTER
    times >"$CACHE/build/$NAME.times"
    CPU_BEFORE=$(cpu_seconds <"$CACHE/build/$NAME.times")
    "build_$NAME" "$SOURCE" "$PREFIX" "$CACHE/build/$NAME" >"$CACHE/build/$NAME.log" 2>&1 || {
        tail -n 40 "$CACHE/build/$NAME.log" >&2
        echo "$NAME: build failed, log in $CACHE/build/$NAME.log" >&2
        exit 1
    }
    times >"$CACHE/build/$NAME.times"
    CPU_AFTER=$(cpu_seconds <"$CACHE/build/$NAME.times")
    echo "$STAMP" >"$PREFIX/.built"
    rm -rf "$CACHE/build/$NAME"
    echo "$NAME: built in $((SECONDS - START)) s, $((CPU_AFTER - CPU_BEFORE)) CPU-s ($(basename "$SOURCE"))"
}

# User and system time of the finished children of this shell, in whole seconds, from what the
# shell's own "times" printed (a command substitution would count only its own children).
cpu_seconds() {
    tail -n 1 | awk '{ split($1, U, "m"); split($2, S, "m"); print int(U[1] * 60 + U[2] + S[1] * 60 + S[2]) }'
}

cmake_build() {
    local SOURCE=$1 PREFIX=$2 BUILD=$3
    shift 3
    # Chained: "set -e" does not hold in a function its caller runs with "||".
    cmake -S "$SOURCE" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DVO_WINDOWS_DEPS="$CACHE" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" "$@" &&
        nice -n 15 cmake --build "$BUILD" -j "$JOBS" &&
        cmake --install "$BUILD"
}

build_pugixml() {
    cmake_build "$@" -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
}

build_googletest() {
    cmake_build "$@" -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF
}

# HTTP over plain sockets is all the version request needs.
build_curl() {
    cmake_build "$@" -DBUILD_SHARED_LIBS=OFF -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DCURL_USE_SCHANNEL=OFF \
        -DCURL_USE_OPENSSL=OFF -DCURL_ZLIB=OFF -DUSE_LIBIDN2=OFF -DUSE_NGHTTP2=OFF -DCURL_USE_LIBSSH2=OFF \
        -DCURL_USE_LIBPSL=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DENABLE_UNIX_SOCKETS=OFF -DHTTP_ONLY=ON \
        -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON -DCURL_DISABLE_COOKIES=ON -DCURL_DISABLE_NTLM=ON \
        -DCURL_DISABLE_ALTSVC=ON -DCURL_DISABLE_HSTS=ON -DENABLE_THREADED_RESOLVER=ON
}

QT_COMMON=(-DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_pkg_config=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_zstd=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_zlib=ON -DFEATURE_sql=OFF -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_testlib=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF)
QT_CORE=(-DFEATURE_gui=OFF -DFEATURE_widgets=OFF)
QT_FULL=(-DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_accessibility=ON -DFEATURE_direct2d=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_freetype=OFF -DFEATURE_harfbuzz=OFF -DFEATURE_system_png=OFF
    -DFEATURE_png=ON -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_system_jpeg=OFF)

# Mends what Qt 6.4's sources get wrong in a build this trimmed; each change applies once.
patch_qt() {
    # The windows platform plugin asks whether OpenGL is drawn in software without asking first
    # whether there is OpenGL at all.
    perl -0pi -e 's/(static inline bool isSoftwareGl\(\)\n\{\n#if) (QT_CONFIG\(dynamicgl\))/$1 QT_CONFIG(opengl) \&\& $2/' \
        "$1/src/plugins/platforms/windows/qwindowswindow.cpp"
    # ... and uses the DirectWrite font database, which Qt Gui builds only together with Direct2D.
    perl -pi -e 's/^#if QT_CONFIG\(directwrite3\)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
        "$1/src/plugins/platforms/windows/qwindowsintegration.cpp"
    # Debian's source leaves out the tablet headers the plugin includes; wine's are the same API,
    # given the macros of wine's own windef.h they use.
    local WINTAB="$1/src/3rdparty/wintab"
    mkdir -p "$WINTAB"
    # Written only when they differ, so that a build that goes on does not compile again.
    cmp -s /usr/include/wine/wine/windows/wintab.h "$WINTAB/wine_wintab.h" ||
        cp /usr/include/wine/wine/windows/wintab.h "$WINTAB/wine_wintab.h"
    cmp -s /usr/include/wine/wine/windows/pktdef.h "$WINTAB/pktdef.h" ||
        cp /usr/include/wine/wine/windows/pktdef.h "$WINTAB/pktdef.h"
    cat >"$WINTAB/wintab.h.new" <<'HEADER'
#ifndef WINELIB_NAME_AW
#ifdef UNICODE
#define WINELIB_NAME_AW(func) func##W
#else
#define WINELIB_NAME_AW(func) func##A
#endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#ifndef API
#define API WINAPI
#endif
#include "wine_wintab.h"
HEADER
    if cmp -s "$WINTAB/wintab.h.new" "$WINTAB/wintab.h"; then
        rm "$WINTAB/wintab.h.new"
    else
        mv "$WINTAB/wintab.h.new" "$WINTAB/wintab.h"
    fi
}

build_qt_core() {
    patch_qt "$1" && cmake_build "$@" "${QT_COMMON[@]}" "${QT_CORE[@]}"
}

build_qt_full() {
    patch_qt "$1" && cmake_build "$@" "${QT_COMMON[@]}" "${QT_FULL[@]}"
}

echo "Windows libraries in $CACHE"
build_once pugixml "$(source_folder pugixml pugixml)" "static"
build_once googletest /usr/src/googletest "googletest-$(dpkg-query -W -f='${Version}' googletest) static"
build_once curl "$(source_folder curl curl)" "static http-only"
# Each flavour is rebuilt only when its own settings change.
QT_SETTINGS="QT_${FLAVOUR^^}[*]"
build_once "qt_$FLAVOUR" "$(source_folder qt6-base qt6-base)" "shared ${QT_COMMON[*]} ${!QT_SETTINGS}"
