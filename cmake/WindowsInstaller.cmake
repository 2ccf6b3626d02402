# The Windows installer: `cpack -G NSIS` in the build folder makes telvoran-<version>-win64.exe
# from the install layout (cmake/InstallWindows.cmake). CPack's installer template installs for
# all users into Program Files when run by an administrator, and otherwise for the user alone;
# either way it makes the Start-menu entry, the uninstaller and its entry among the installed
# programs. The file types are added here (resources/windows/FileTypes.nsh).
set(CPACK_GENERATOR NSIS)
# The values reach the installer's script as written here.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Telvoran)
set(CPACK_PACKAGE_VENDOR Telvoran)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for interval and event archives of a monitoring system")
set(CPACK_PACKAGE_FILE_NAME telvoran-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Telvoran)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Telvoran)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_PACKAGE_NAME Telvoran)
set(CPACK_NSIS_DISPLAY_NAME Telvoran)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/windows/telvoran.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/resources/windows/telvoran.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME telvoran.exe)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# A 64-bit installer for a 64-bit program: it writes to the 64-bit registry and Program Files
# without redirection, and runs where only 64-bit Windows programs run (wine64 without wine32).
# CPack's template offers no place for the directive before the first section but the line of
# the compressor, and makensis' -X option comes to it split at the space.
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma\n  Target amd64-unicode")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The Start-menu entry: the program lies at the top of the installation folder, not in bin\.
set(CPACK_PACKAGE_EXECUTABLES telvoran Telvoran)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)

# The program, and the English texts as a choice (lang\en\, copied over the Polish pair to
# switch, as in the program's folder of every build).
set(CPACK_COMPONENTS_ALL program english)
set(CPACK_COMPONENT_PROGRAM_DISPLAY_NAME "Telvoran")
set(CPACK_COMPONENT_PROGRAM_REQUIRED ON)
set(CPACK_COMPONENT_ENGLISH_DISPLAY_NAME "English texts")
set(CPACK_COMPONENT_ENGLISH_DESCRIPTION
    "The English string library and help file in lang\\en; copy them over Telvoran.dll and Telvoran.hlp for English menus and messages.")

# .czt and .zdr open in Telvoran, with the icons the program carries; removed again with it.
set(file_types "!include \"${CMAKE_SOURCE_DIR}/resources/windows/FileTypes.nsh\"")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "${file_types}\n!insertmacro TelvoranAddFileTypes")
# CPack's uninstaller removes the installation's key under the maker's (Software\Telvoran) but
# not the maker's own, now empty; it finds the Start-menu folder without it.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "${file_types}\n!insertmacro TelvoranRemoveFileTypes\nDeleteRegKey SHCTX \"Software\\Telvoran\"")
include(CPack)
