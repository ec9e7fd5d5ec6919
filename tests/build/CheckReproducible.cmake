# Runs the release script, without a certificate, into two build directories
# and fails unless both zips hold the same bytes and the stripped program in
# the zip has at most 100 KB (102,400 bytes).
# cmake -DSCRIPT=<release.sh> -DFIRST=<dir> -DSECOND=<dir> -P CheckReproducible.cmake

cmake_minimum_required(VERSION 3.21)

set(limit 102400)
foreach(dir IN ITEMS "${FIRST}" "${SECOND}")
  # A signing certificate in the caller's environment would make the zips
  # differ by the time of signing.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=REGORVIK_SIGN_PFX --unset=REGORVIK_SIGN_PASSWORD
                          --unset=REGORVIK_SIGN_TIMESTAMP bash "${SCRIPT}" "${dir}"
                  RESULT_VARIABLE result)
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

set(unpacked "${FIRST}/unpacked")
file(REMOVE_RECURSE "${unpacked}")
file(ARCHIVE_EXTRACT INPUT "${first_zip}" DESTINATION "${unpacked}" PATTERNS RegOrvikPkg.exe)
file(SIZE "${unpacked}/RegOrvikPkg.exe" size)
if(size GREATER limit)
  message(FATAL_ERROR "the stripped RegOrvikPkg.exe in ${first_zip} has ${size} bytes, more than ${limit}")
endif()
message(STATUS "${first_zip}: the same bytes twice; RegOrvikPkg.exe ${size} bytes (at most ${limit})")
