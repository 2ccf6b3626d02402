# What `cmake --install` puts under the prefix on Windows, and so what the installer holds: one
# folder, as a Windows user receives the program, with everything it loads beside it:
#   telvoran.exe, Telvoran.dll, Telvoran.hlp, lang/en/   the program, its Polish and English texts
#   telvoran-report.exe with telvoran-report-pdf.dll, telvoran-mkarchive.exe
#   Qt6*.dll, platforms/, styles/, imageformats/, iconengines/, translations/qtbase_pl.qm,
#   qt.conf                                               Qt, and where it finds its parts
#   libstdc++-6.dll, libgcc_s_seh-1.dll, libwinpthread-1.dll   the MinGW runtime Qt's DLLs import
# The components: "program" (all of the above but the English pair) and "english".
install(TARGETS telvoran-mkarchive RUNTIME DESTINATION . COMPONENT program)
if(NOT TELVORAN_GUI)
  return()
endif()

install(TARGETS telvoran telvoran-report RUNTIME DESTINATION . COMPONENT program)
# A module is a LIBRARY artifact; the component must be named for it as for each other kind.
install(TARGETS telvoran-report-pdf LIBRARY DESTINATION . COMPONENT program
                                    RUNTIME DESTINATION . COMPONENT program)
install(FILES ${CMAKE_BINARY_DIR}/Telvoran.dll ${CMAKE_BINARY_DIR}/Telvoran.hlp
        DESTINATION . COMPONENT program)
install(FILES ${CMAKE_BINARY_DIR}/lang/en/Telvoran.dll ${CMAKE_BINARY_DIR}/lang/en/Telvoran.hlp
        DESTINATION lang/en COMPONENT english)

# Qt's DLLs, those of its modules the build uses and the ones they need in turn (Qt Charts
# draws through Qt's OpenGL widgets).
foreach(module Core Gui Widgets PrintSupport Network Svg Charts OpenGL OpenGLWidgets)
  if(TARGET Qt6::${module})
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION . COMPONENT program)
  endif()
endforeach()

# The plugins Qt loads at run time: no program links them, so each is named here with the
# folder Qt looks for it in. The SVG ones exist only with Qt Svg.
# telvoran-report prints without a window, on the offscreen platform.
set(plugins
  platforms QWindowsIntegrationPlugin
  platforms QOffscreenIntegrationPlugin
  styles QWindowsVistaStylePlugin
  iconengines QSvgIconPlugin
  imageformats QSvgPlugin
  imageformats QICOPlugin)
while(plugins)
  list(POP_FRONT plugins folder plugin)
  # A Qt package may leave out the file that loads its plugins' packages with their module
  # (Debian's does): each plugin's package lies beside its module's.
  if(NOT TARGET Qt6::${plugin})
    find_package(Qt6${plugin} CONFIG QUIET PATHS ${Qt6Gui_DIR} ${Qt6Widgets_DIR}
                 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  endif()
  if(TARGET Qt6::${plugin})
    install(FILES $<TARGET_FILE:Qt6::${plugin}> DESTINATION ${folder} COMPONENT program)
  elseif(plugin STREQUAL "QWindowsIntegrationPlugin")
    message(FATAL_ERROR "Qt's Windows platform plugin is missing: the program could not start")
  endif()
endwhile()

# Qt's own texts (its dialogs' buttons and the print dialog) in Polish; an English program
# needs none. They are the same files on every system.
find_file(TELVORAN_QTBASE_PL qtbase_pl.qm
  PATHS /usr/share/qt6/translations ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT TELVORAN_QTBASE_PL)
  message(FATAL_ERROR "qtbase_pl.qm, Qt's Polish texts, is missing (Debian: qt6-translations-l10n)")
endif()
install(FILES ${TELVORAN_QTBASE_PL} DESTINATION translations COMPONENT program)
# Without it Qt would look for its plugins and texts under the folder it was built in.
install(FILES ${CMAKE_SOURCE_DIR}/resources/windows/qt.conf DESTINATION . COMPONENT program)

# The MinGW compiler's runtime, which the Qt DLLs import; the programs themselves carry theirs.
if(MINGW)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
      message(FATAL_ERROR "${CMAKE_CXX_COMPILER} knows no ${dll}")
    endif()
    file(REAL_PATH "${path}" path)
    install(FILES ${path} DESTINATION . COMPONENT program)
  endforeach()
endif()
