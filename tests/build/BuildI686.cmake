# Builds RegOrvikPkg.exe with the win32 preset (i686) into BINARY_DIR.
# cmake -DSOURCE_DIR=<repo> -DBINARY_DIR=<dir> [-DWERROR=ON] -P BuildI686.cmake

cmake_minimum_required(VERSION 3.21)

if(NOT WERROR)
  set(WERROR OFF)
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" --preset win32 -B "${BINARY_DIR}" -DREGORVIK_TESTS=OFF -DREGORVIK_WERROR=${WERROR}
  WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring the i686 build in ${BINARY_DIR} failed")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BINARY_DIR}" --target RegOrvikPkg RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "building the i686 RegOrvikPkg.exe failed")
endif()
