# MINGW_THREADS is the thread model of the runtimes a program links
# statically. The test build takes posix, because GoogleTest needs
# std::mutex; its runtime calls GetTickCount64, which Windows XP lacks, so the
# release takes win32.
find_program(CMAKE_C_COMPILER NAMES ${MINGW_PREFIX}-gcc-${MINGW_THREADS} REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_PREFIX}-g++-${MINGW_THREADS} REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_PREFIX}-windres REQUIRED)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
