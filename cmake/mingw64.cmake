# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads model): the same code as the
# 32-bit product, for running and testing it where 32-bit programs cannot run.
set(MORVICK_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw32.cmake)
