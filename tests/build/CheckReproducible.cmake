# Runs the release script into two build directories and fails unless both
# zips hold the same bytes and the stripped program is under 300 KB.
# cmake -DSCRIPT=<release.sh> -DFIRST=<dir> -DSECOND=<dir> -P CheckReproducible.cmake

cmake_minimum_required(VERSION 3.21)

foreach(dir IN ITEMS "${FIRST}" "${SECOND}")
  execute_process(COMMAND bash "${SCRIPT}" "${dir}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${SCRIPT} ${dir} failed")
  endif()
  file(GLOB zip "${dir}/RegOrvikPkg-*.zip")
  list(APPEND zips "${zip}")
endforeach()
list(GET zips 0 first_zip)
list(GET zips 1 second_zip)
file(SHA256 "${first_zip}" first_hash)
file(SHA256 "${second_zip}" second_hash)
if(NOT first_hash STREQUAL second_hash)
  message(FATAL_ERROR "two builds of one commit differ: ${first_zip} ${first_hash}, ${second_zip} ${second_hash}")
endif()
file(SIZE "${FIRST}/src/RegOrvikPkg.exe" size)
if(size GREATER_EQUAL 307200)
  message(FATAL_ERROR "the stripped RegOrvikPkg.exe has ${size} bytes, 300 KB or more")
endif()
message(STATUS "${first_zip}: the same bytes twice; RegOrvikPkg.exe ${size} bytes")
