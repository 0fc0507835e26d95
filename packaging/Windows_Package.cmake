# The Windows installation: the portable folder with the DLLs the programs load (Qt, the mingw
# runtime, zlib) beside them and the Qt plugins in the folders Qt looks for beside a program.
# cpack makes a .zip of that folder and an NSIS installer.
set(VO_QT_PREFIX ${VO_WINDOWS_DEPS}/qt_${VO_WINDOWS_QT})
install(FILES ${VO_QT_PREFIX}/plugins/platforms/qwindows.dll DESTINATION platforms COMPONENT Portable)
install(DIRECTORY ${VO_QT_PREFIX}/plugins/styles DESTINATION . COMPONENT Portable OPTIONAL)

# The DLLs are looked for in these folders only (Qt's, and the compiler's and mingw's for libstdc++,
# libgcc, winpthread and zlib); the system's own are there on every Windows.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll OUTPUT_VARIABLE VO_LIBSTDCXX_DLL
                OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(VO_GCC_RUNTIME_DIR ${VO_LIBSTDCXX_DLL} DIRECTORY)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${CMAKE_OBJDUMP})
install(RUNTIME_DEPENDENCY_SET vo_runtime DESTINATION . COMPONENT Portable
        PRE_INCLUDE_REGEXES "^[Qq]t6" "^lib(gcc_s|stdc\\+\\+|winpthread)" "^zlib1"
        PRE_EXCLUDE_REGEXES ".*"
        DIRECTORIES ${VO_QT_PREFIX}/bin ${VO_GCC_RUNTIME_DIR} /usr/${VO_MINGW_TRIPLE}/lib)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_COMPONENTS_ALL Portable)
set(CPACK_PACKAGE_INSTALL_DIRECTORY vo40913)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY vo40913)
# The program writes its configurations and settings beside itself, so it is installed for the
# user who runs the installer, in a folder of theirs, without asking for administrator rights.
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_DEFINES "RequestExecutionLevel user")
set(CPACK_NSIS_PACKAGE_NAME "VO40913 configurator")
set(CPACK_NSIS_DISPLAY_NAME "VO40913 configurator ${VO_VERSION}")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES vo40913-configurator "VO40913 configurator")
set(CPACK_NSIS_INSTALLED_ICON_NAME vo40913-configurator.exe)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
include(CPack)
