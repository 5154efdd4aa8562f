# Cross build for 32-bit Windows with Debian's mingw-w64 (posix threads model). cmake/mingw64.cmake
# reuses it for 64-bit Windows by naming its target first.
if(NOT MORVICK_MINGW_TARGET)
  set(MORVICK_MINGW_TARGET i686-w64-mingw32)
  set(CMAKE_SYSTEM_PROCESSOR i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MORVICK_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVICK_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVICK_MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MORVICK_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every Windows program (tests included) runs under Wine through this wrapper, with the Wine of the
# program's own width (scripts/wine-env.sh).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(_bits 64)
else()
  set(_bits 32)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR env MORVICK_WINDOWS_BITS=${_bits} ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
