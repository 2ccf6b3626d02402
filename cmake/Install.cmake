# What `cmake --install` puts under the prefix, and so what the Debian package holds:
#   lib/telvoran/        the program with its string library and help file (the English pair
#                        in lang/en/), and telvoran-report, which reads the string library
#                        beside its own file and loads its PDF printing module from there
#   bin/                 links to both programs there (each finds its folder through its real
#                        path), and telvoran-mkarchive
#   share/               desktop entry, MIME info, icons, metainfo and manual pages, as made
#                        in build/share/
# Windows has its own layout (cmake/InstallWindows.cmake).
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
  return()
endif()
set(TELVORAN_PRIVATE_DIR lib/telvoran)

install(TARGETS telvoran-mkarchive RUNTIME DESTINATION bin)

if(TELVORAN_GUI)
  install(TARGETS telvoran telvoran-report RUNTIME DESTINATION ${TELVORAN_PRIVATE_DIR})
  install(TARGETS telvoran-report-pdf LIBRARY DESTINATION ${TELVORAN_PRIVATE_DIR})
  install(FILES ${CMAKE_BINARY_DIR}/Telvoran.dll ${CMAKE_BINARY_DIR}/Telvoran.hlp
          DESTINATION ${TELVORAN_PRIVATE_DIR})
  install(FILES ${CMAKE_BINARY_DIR}/lang/en/Telvoran.dll ${CMAKE_BINARY_DIR}/lang/en/Telvoran.hlp
          DESTINATION ${TELVORAN_PRIVATE_DIR}/lang/en)

  # The links are made once here, relative so that they hold under any prefix, and installed
  # as links.
  set(links_dir ${CMAKE_BINARY_DIR}/install-links)
  file(MAKE_DIRECTORY ${links_dir})
  foreach(program telvoran telvoran-report)
    file(CREATE_LINK ../${TELVORAN_PRIVATE_DIR}/${program} ${links_dir}/${program} SYMBOLIC)
    install(FILES ${links_dir}/${program} DESTINATION bin)
  endforeach()

  install(DIRECTORY ${CMAKE_BINARY_DIR}/share/ DESTINATION share)
else()
  install(FILES ${CMAKE_BINARY_DIR}/share/man/man1/telvoran-mkarchive.1.gz
          DESTINATION share/man/man1)
endif()
