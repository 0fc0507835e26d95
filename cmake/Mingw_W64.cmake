# Cross-builds for 64-bit Windows with Debian's mingw-w64 compilers and runs what was built under
# wine. The -posix compilers are the ones with std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VO_MINGW_TRIPLE}-windres)

# The libraries built for mingw (scripts/windows-deps.sh) live in one cache folder.
if(NOT DEFINED VO_WINDOWS_DEPS)
    if(DEFINED ENV{VO_WINDOWS_DEPS})
        set(VO_WINDOWS_DEPS $ENV{VO_WINDOWS_DEPS})
    else()
        set(VO_WINDOWS_DEPS $ENV{HOME}/.cache/vo40913-windows-deps)
    endif()
endif()
get_filename_component(VO_WINDOWS_DEPS ${VO_WINDOWS_DEPS} ABSOLUTE)
set(VO_WINDOWS_DEPS ${VO_WINDOWS_DEPS} CACHE PATH "Libraries built for mingw-w64")

# Qt comes in two builds: Core only (core) or with the windows (full).
set(VO_WINDOWS_QT full CACHE STRING "Which Qt build of the cache to use: core or full")
set(CMAKE_FIND_ROOT_PATH /usr/${VO_MINGW_TRIPLE})
foreach(Library pugixml googletest curl qt_${VO_WINDOWS_QT})
    list(APPEND CMAKE_FIND_ROOT_PATH ${VO_WINDOWS_DEPS}/${Library})
endforeach()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's build tools (moc) come from the Debian packages of the same Qt version.
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")

# Tests and test discovery run the built programs under wine, with the DLLs they need on its path.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh --dlls
    ${VO_WINDOWS_DEPS}/qt_${VO_WINDOWS_QT}/bin)
