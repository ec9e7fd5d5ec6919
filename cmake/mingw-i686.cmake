# Cross build for 32-bit Windows with mingw-w64: the release, for the 32-bit
# IDE, from Windows XP SP3 on, with the win32 thread model; the i686 test
# build asks for posix (MINGW_THREADS), as GoogleTest needs it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_PREFIX i686-w64-mingw32)
if(NOT MINGW_THREADS)
  set(MINGW_THREADS win32)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
