# Cross-building the core, the tools and their tests for 64-bit Windows with Debian's MinGW-w64
# (POSIX threads), the test programs run through wine:
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DCMAKE_FIND_ROOT_PATH=<prefix with GoogleTest and CLI11> -DTELVORAN_GUI=OFF
#
# tools/windows-check.sh does all of it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries, headers and packages come from the target's prefix only, never from the build
# machine's; programs (the resource compiler, wine) from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry their C and C++ runtimes: they need nothing beyond the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest, and build steps that run a built program, go through wine.
find_program(TELVORAN_WINE wine)
if(TELVORAN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TELVORAN_WINE})
endif()
