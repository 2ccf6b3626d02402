# Run by cpack once it has made the Debian package (CPACK_POST_BUILD_SCRIPTS). CPack gives a
# package that holds a shared object anywhere below /usr/lib postinst and postrm scripts that
# call ldconfig; here that object is the report tool's private PDF module in /usr/lib/telvoran,
# a folder the dynamic loader never indexes, so the calls are needless (and Debian's checker
# warns of them). The package is built again by dpkg-deb without those two scripts; a script
# that does anything else stays.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  set(root "${package}.without-ldconfig")
  file(REMOVE_RECURSE "${root}")
  execute_process(COMMAND dpkg-deb --raw-extract "${package}" "${root}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dpkg-deb could not unpack ${package}")
  endif()
  set(changed FALSE)
  foreach(script postinst postrm)
    set(file "${root}/DEBIAN/${script}")
    if(EXISTS "${file}")
      file(READ "${file}" text)
      # What is left once CPack's lines are taken away: the shell line, set -e, and ldconfig
      # run on configure or remove.
      string(REGEX REPLACE "#![^\n]*|set -e|if \\[ \"\\$1\" = \"[a-z]+\" \\]; then|ldconfig|fi|[ \t\n]"
                           "" rest "${text}")
      if(rest STREQUAL "")
        file(REMOVE "${file}")
        set(changed TRUE)
      endif()
    endif()
  endforeach()
  if(changed)
    execute_process(COMMAND dpkg-deb --root-owner-group --build "${root}" "${package}"
                    RESULT_VARIABLE failed OUTPUT_QUIET)
    if(failed)
      message(FATAL_ERROR "dpkg-deb could not build ${package} again")
    endif()
  endif()
  file(REMOVE_RECURSE "${root}")
endforeach()
