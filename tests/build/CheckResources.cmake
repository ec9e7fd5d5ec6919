# Reads the manifest and the version resource of the exe in the release zip
# out of its resource directory, as Windows finds them (windres decompiles
# it), and fails naming every difference from what the program needs: the
# manifest (type 24, id 1, which the loader reads for a program) asks for
# elevation, Common Controls 6, system DPI awareness and the Windows versions
# from Vista on, under the project's version; the version resource carries
# the project's version. The ProductVersion that the version check reads
# shows in what /install does, which the scenario tables check.
# cmake -DWINDRES=<windres> -DZIP=<release zip> -DVERSION=<x.y.z> -P CheckResources.cmake
cmake_minimum_required(VERSION 3.21)
set(unpacked ${CMAKE_CURRENT_BINARY_DIR}/resources-check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} RegOrvikPkg.exe WORKING_DIRECTORY ${unpacked})
execute_process(COMMAND ${WINDRES} -i ${unpacked}/RegOrvikPkg.exe -O rc OUTPUT_VARIABLE rc RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "windres could not read the resources of the exe in ${ZIP}")
endif()

string(REGEX MATCH "\n1 24 /\\* RT_MANIFEST \\*/\nBEGIN\n[^\n]*(\n  \"[^\n]*)*\nEND" manifest "${rc}")
string(REGEX MATCH "\n1 VERSIONINFO\n.*\nEND\n" version "${rc}")
string(REPLACE "." ", " commas "${VERSION}")
set(wanted
  manifest "level=\"\"requireAdministrator\"\" uiAccess=\"\"false\"\""
  manifest "name=\"\"Microsoft.Windows.Common-Controls\"\" version=\"\"6.0.0.0\"\""
  manifest "publicKeyToken=\"\"6595b64144ccf1df\"\""
  manifest ">true</dpiAware>"
  manifest "name=\"\"Orvik.RegOrvikPkg\"\" version=\"\"${VERSION}.0\"\""
  manifest "{e2011457-1546-43c5-a5fe-008deee3d3f0}"  # Windows Vista
  manifest "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"  # 7
  manifest "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"  # 8
  manifest "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"  # 8.1
  manifest "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"  # 10 and 11
  version "FILEVERSION ${commas}, 0\n"
  version "PRODUCTVERSION ${commas}, 0\n")
set(missing)
while(wanted)
  list(POP_FRONT wanted where text)
  string(FIND "${${where}}" "${text}" at)
  if(at EQUAL -1)
    string(STRIP "${text}" text)
    list(APPEND missing "the ${where} lacks ${text}")
  endif()
endwhile()
if(missing)
  list(JOIN missing "\n  " missing)
  message(FATAL_ERROR "the exe in ${ZIP}:\n  ${missing}")
endif()
message(STATUS "the exe in ${ZIP}: manifest and version resource as Windows needs them")
