# Lays out one release package and packs it (cmake -P, from release_archive
# in packaging/CMakeLists.txt). The layout is the one docs/install.md
# describes; packaging/test-package.sh checks it from the archive.
#
#   SOURCE_DIR    the repository
#   STAGE_DIR     scratch directory; PACKAGE_NAME is laid out below it
#   PACKAGE_NAME  keldar-<version>-<platform>, the archive's top folder
#   ARCHIVE       the archive to write (.zip or .tar.gz)
#   PROGRAMS      the sensor, its sibling binaries and keldar-profile,
#                 separated by "|"
#   RFC_LIBRARY   the simulated RFC library
#   STRIP         the toolchain's strip: the packed binaries carry no
#                 debugging sections (a Windows version resource stays)
#   CMARK_GFM     cmark-gfm (Debian's package of that name): every Markdown
#                 document gets an HTML copy beside it that opens offline

string(REPLACE "|" ";" programs "${PROGRAMS}")
set(root ${STAGE_DIR}/${PACKAGE_NAME})
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${root}/bin ${root}/docs ${root}/examples ${root}/lookups ${root}/simulator)

file(COPY ${SOURCE_DIR}/README.md ${SOURCE_DIR}/LICENSE DESTINATION ${root})
file(GLOB documents ${SOURCE_DIR}/docs/*.md)
file(COPY ${documents} DESTINATION ${root}/docs)
file(COPY ${programs} DESTINATION ${root}/bin)
file(COPY ${SOURCE_DIR}/examples/PRD.P00 ${SOURCE_DIR}/examples/QAS.P00
          "${SOURCE_DIR}/examples/SAP Velquist.Gbl" DESTINATION ${root}/examples)
file(COPY ${SOURCE_DIR}/packaging/lookups/keldar.grade.state.ovl DESTINATION ${root}/lookups)

# An HTML copy of each document, for a double click on Windows: no style
# sheet or script from outside, and the links between the documents lead to
# the copies.
if(NOT CMARK_GFM)
  message(FATAL_ERROR "cmark-gfm is needed for the HTML documents (bash .ci/deps package)")
endif()
file(READ ${SOURCE_DIR}/packaging/document.html.in page)
file(GLOB_RECURSE markdown ${root}/*.md)
foreach(document ${markdown})
  execute_process(COMMAND ${CMARK_GFM} -e table -e autolink ${document}
                  OUTPUT_VARIABLE BODY RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmark-gfm failed on ${document}")
  endif()
  string(REGEX REPLACE "href=\"([^\":#]*)\\.md([\"#])" "href=\"\\1.html\\2" BODY "${BODY}")
  file(STRINGS ${document} heading LIMIT_COUNT 1 REGEX "^# ")
  string(REGEX REPLACE "^# " "" TITLE "${heading}")
  string(CONFIGURE "${page}" html @ONLY)
  string(REGEX REPLACE "\\.md$" ".html" target ${document})
  file(WRITE ${target} "${html}")
endforeach()

# The simulator apart from the programs, with its demo landscape and a note
# that it is not SAP's library, so that nobody installs it on a probe by
# mistake.
file(COPY ${RFC_LIBRARY} ${SOURCE_DIR}/examples/landscape.json ${SOURCE_DIR}/examples/SapRfc.ini
     DESTINATION ${root}/simulator)
configure_file(${SOURCE_DIR}/packaging/simulator-README.txt ${root}/simulator/README.txt COPYONLY)

file(GLOB binaries ${root}/bin/* ${root}/simulator/librfc*)
if(STRIP)
  foreach(binary ${binaries})
    execute_process(COMMAND ${STRIP} --strip-unneeded ${binary} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${STRIP} failed on ${binary}")
    endif()
  endforeach()
endif()

get_filename_component(archive_dir ${ARCHIVE} DIRECTORY)
file(MAKE_DIRECTORY ${archive_dir})
file(REMOVE ${ARCHIVE})
if(ARCHIVE MATCHES "\\.zip$")
  set(mode cf)
  set(format zip)
else()
  set(mode cfz)
  set(format gnutar)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar ${mode} ${ARCHIVE} --format=${format} ${PACKAGE_NAME}
                WORKING_DIRECTORY ${STAGE_DIR} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "packing ${ARCHIVE} failed")
endif()
message(STATUS "Release archive: ${ARCHIVE}")
