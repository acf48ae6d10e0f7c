# Hands the version of cmake/version.cmake to the programs: to
# src/run/version.cpp as compile definitions, and on Windows to each program
# as a version resource (the Details tab of the file's properties).

# The banner shows the date as DD.MM.YY.
string(REGEX REPLACE "^..(..)-(..)-(..)$" "\\3.\\2.\\1" KELDAR_RELEASE_DATE_SHORT
       "${KELDAR_RELEASE_DATE}")
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/run/version.cpp PROPERTIES
  COMPILE_DEFINITIONS "KELDAR_VERSION=\"${KELDAR_VERSION}\";KELDAR_RELEASE_DATE=\"${KELDAR_RELEASE_DATE_SHORT}\"")

if(WIN32)
  enable_language(RC)
endif()

# keldar_version_resource(TARGET DESCRIPTION): gives a Windows program or
# library a version resource; nothing elsewhere.
function(keldar_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(KELDAR_FILE_TYPE VFT_APP)
  else()
    set(KELDAR_FILE_TYPE VFT_DLL)
  endif()
  # Four numbers for the binary fields: 4.3 gives 4,3,0,0.
  string(REPLACE "." ";" numbers "${KELDAR_VERSION}")
  list(LENGTH numbers count)
  while(count LESS 4)
    list(APPEND numbers 0)
    math(EXPR count "${count} + 1")
  endwhile()
  string(REPLACE ";" "," KELDAR_VERSION_NUMBERS "${numbers}")
  set(KELDAR_FILE_DESCRIPTION "${description}")
  set(KELDAR_FILE_NAME "$<TARGET_FILE_NAME:${target}>")
  set(KELDAR_INTERNAL_NAME "${target}")
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc.in @ONLY)
  # The file name is known only at generation time.
  file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc
       INPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc.in)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
endfunction()
