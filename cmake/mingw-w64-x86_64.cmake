# Cross-builds for 64-bit Windows with Debian's mingw-w64 (posix threads) and
# runs the built programs under Wine, so tests and test discovery work here.
#
#   cmake -S . -B build-windows -G Ninja \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DDRAVIK_BUILD_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_dravik_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_dravik_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_dravik_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_dravik_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_dravik_triple})
# Programs come from the build machine, everything linked in from the target's
# tree. Packages may also be built for the target outside that tree (the test
# framework is), so CMAKE_PREFIX_PATH is honoured for them.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Everything static: the executables run from the build folder, under Wine or
# copied to a Windows machine, without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian installs the 64-bit loader outside PATH.
find_program(DRAVIK_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(DRAVIK_WINE64 NAMES wine64)
if(DRAVIK_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DRAVIK_WINE64})
endif()
