# Fails unless EXE is a Windows GUI program of object format FORMAT that
# imports only DLLs every Windows has.
# cmake -DOBJDUMP=<objdump> -DEXE=<file> -DFORMAT=<pei-x86-64|pei-i386> -P CheckImports.cmake

cmake_minimum_required(VERSION 3.21)

set(allowed ADVAPI32.DLL COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL VERSION.DLL)

if(NOT OBJDUMP)
  message(FATAL_ERROR "no objdump for ${FORMAT} was found")
endif()
if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "${EXE} does not exist")
endif()
execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed: ${errors}")
endif()

if(NOT dump MATCHES "file format ${FORMAT}")
  message(FATAL_ERROR "${EXE} is not of format ${FORMAT}")
endif()

string(REGEX MATCH "\nSubsystem[ \t]+([0-9a-fA-F]+)" subsystem_line "${dump}")
if(NOT subsystem_line OR NOT CMAKE_MATCH_1 EQUAL 2)
  message(FATAL_ERROR "${EXE}: subsystem '${CMAKE_MATCH_1}', expected 2 (Windows GUI)")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
set(imports)
set(imports_upper)
set(unexpected)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^DLL Name: " "" name "${line}")
  string(STRIP "${name}" name)
  list(APPEND imports "${name}")
  string(TOUPPER "${name}" upper)
  list(APPEND imports_upper "${upper}")
  if(NOT upper IN_LIST allowed)
    list(APPEND unexpected "${name}")
  endif()
endforeach()

string(REPLACE ";" ", " shown "${imports}")
message(STATUS "${EXE}: ${FORMAT}, Windows GUI, imports ${shown}")
if(NOT "KERNEL32.DLL" IN_LIST imports_upper)
  message(FATAL_ERROR "${EXE}: no import of KERNEL32.dll found; is the dump readable?")
endif()
if(unexpected)
  string(REPLACE ";" ", " unexpected "${unexpected}")
  message(FATAL_ERROR "${EXE} imports DLLs that not every Windows has: ${unexpected}")
endif()
