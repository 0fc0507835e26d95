# The Windows installation: the portable folder with the DLLs the programs load (Qt, the mingw
# runtime, zlib) beside them and the Qt plugins in the folders Qt looks for beside a program.
# cpack makes a .zip of that folder and an NSIS installer.
set(VO_QT_PREFIX ${VO_WINDOWS_DEPS}/qt_${VO_WINDOWS_QT})
install(FILES ${VO_QT_PREFIX}/plugins/platforms/qwindows.dll DESTINATION platforms COMPONENT Portable)
install(DIRECTORY ${VO_QT_PREFIX}/plugins/styles DESTINATION . COMPONENT Portable OPTIONAL)

# The DLLs they load beyond the system's own (CMake's search for them takes the names objdump
# gives in lower case, which a Linux file system does not find): Qt's, the compiler's runtime and
# zlib, which Qt Core loads. The package test starts the unpacked programs without any other.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll OUTPUT_VARIABLE VO_LIBSTDCXX_DLL
                OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(VO_GCC_RUNTIME_DIR ${VO_LIBSTDCXX_DLL} DIRECTORY)
install(FILES ${VO_QT_PREFIX}/bin/Qt6Core.dll ${VO_QT_PREFIX}/bin/Qt6Gui.dll ${VO_QT_PREFIX}/bin/Qt6Widgets.dll
              ${VO_GCC_RUNTIME_DIR}/libstdc++-6.dll ${VO_GCC_RUNTIME_DIR}/libgcc_s_seh-1.dll
              /usr/${VO_MINGW_TRIPLE}/lib/libwinpthread-1.dll /usr/${VO_MINGW_TRIPLE}/lib/zlib1.dll
        DESTINATION . COMPONENT Portable)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_INSTALL_DIRECTORY vo40913)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY vo40913)
# The program writes its configurations and settings beside itself, so it is installed for the
# user who runs the installer, in a folder of theirs, without asking for administrator rights.
# $PROFILE, not $LOCALAPPDATA: the installer takes an administrator's folders for all users.
set(CPACK_NSIS_INSTALL_ROOT "$PROFILE\\\\AppData\\\\Local\\\\Programs")
# A 64-bit installer for the 64-bit program, which also runs where 32-bit programs cannot (wine
# without its 32-bit half).
set(CPACK_NSIS_DEFINES "RequestExecutionLevel user\nTarget amd64-unicode")
set(CPACK_NSIS_PACKAGE_NAME "VO40913 configurator")
set(CPACK_NSIS_DISPLAY_NAME "VO40913 configurator ${VO_VERSION}")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES vo40913-configurator "VO40913 configurator")
set(CPACK_NSIS_INSTALLED_ICON_NAME vo40913-configurator.exe)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
include(CPack)
