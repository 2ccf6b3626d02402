# Builds for hostile input: every target compiled with AddressSanitizer and
# UndefinedBehaviorSanitizer, and optionally the libFuzzer targets of fuzz/ (clang only).
#
#   TELVORAN_SANITIZE  every library, tool and test under ASan and UBSan; any finding ends the
#                      program with an error, so a test that meets one fails
#   TELVORAN_FUZZ      the fuzz targets too, with everything instrumented for coverage;
#                      implies TELVORAN_SANITIZE

option(TELVORAN_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TELVORAN_FUZZ "Build the libFuzzer targets of fuzz/ (needs clang)" OFF)

if(TELVORAN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TELVORAN_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(TELVORAN_SANITIZE ON CACHE BOOL "" FORCE)
endif()

if(TELVORAN_SANITIZE)
  # -O1 keeps the sanitized tests quick while the reports still point at the right lines.
  set(telvoran_sanitize_flags
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1)
  add_compile_options(${telvoran_sanitize_flags})
  add_link_options(-fsanitize=address,undefined)
  if(TELVORAN_FUZZ)
    # Coverage for libFuzzer in every library; only the fuzz targets link its runtime.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

# The environment of a test under the sanitizers. Leaks count as failures; `leaks` OFF turns
# that off for programs whose foreign libraries keep memory until exit by design (Qt).
function(telvoran_sanitizer_environment out leaks)
  if(NOT TELVORAN_SANITIZE)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  if(leaks)
    set(detect_leaks 1)
  else()
    set(detect_leaks 0)
  endif()
  set(${out}
    "ASAN_OPTIONS=detect_leaks=${detect_leaks}:abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    PARENT_SCOPE)
endfunction()
