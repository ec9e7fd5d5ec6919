# Fails when a constant of WinConstants.h has no compile-time comparison with
# the system headers in WinConstantsCheck.cpp.
# cmake -DCONSTANTS=<WinConstants.h> -DCHECKS=<WinConstantsCheck.cpp> -P CheckConstantsCovered.cmake

cmake_minimum_required(VERSION 3.21)

file(READ "${CONSTANTS}" constants)
file(READ "${CHECKS}" checks)
string(REGEX MATCHALL "constexpr[^=;]+ k[A-Za-z0-9]+ =" declarations "${constants}")
if(NOT declarations)
  message(FATAL_ERROR "no constants found in ${CONSTANTS}")
endif()
set(unchecked)
list(LENGTH declarations count)
foreach(declaration IN LISTS declarations)
  string(REGEX MATCH "k[A-Za-z0-9]+ =$" name "${declaration}")
  string(REGEX REPLACE " =$" "" name "${name}")
  if(NOT checks MATCHES "static_assert\\(Same\\(win::${name},")
    list(APPEND unchecked ${name})
  endif()
endforeach()
if(unchecked)
  string(REPLACE ";" ", " unchecked "${unchecked}")
  message(FATAL_ERROR "not compared with the system headers: ${unchecked}")
endif()
message(STATUS "${count} constants, each compared with the system headers")
