# SPDX-License-Identifier: Apache-2.0
# `docs`: the API reference of the public headers, written by Doxygen to
# build/docs/html/index.html. Warnings go to build/docs/warnings.log;
# scripts/doc-warnings.sh counts the undocumented public classes in it. The
# build never fails on them.
find_package(Doxygen QUIET)
if(DOXYGEN_FOUND)
  set(ORVANE_DOC_DIR ${CMAKE_BINARY_DIR}/docs)
  set(ORVANE_DOC_INPUT "${CMAKE_SOURCE_DIR}/platform/host/orvane ${CMAKE_SOURCE_DIR}/platform/displaylist/orvane ${CMAKE_SOURCE_DIR}/src/orvane ${ORVANE_GENERATED_INCLUDE_DIR}/orvane ${CMAKE_SOURCE_DIR}/docs/mainpage.md")
  set(_exclude "")
  foreach(_h ${ORVANE_INTERNAL_HEADERS})
    string(REGEX REPLACE "^orvane/" "" _h "${_h}")
    string(APPEND _exclude " ${CMAKE_SOURCE_DIR}/src/orvane/${_h}")
  endforeach()
  set(ORVANE_DOC_EXCLUDE "${_exclude}")
  configure_file(${CMAKE_SOURCE_DIR}/docs/Doxyfile.in ${ORVANE_DOC_DIR}/Doxyfile @ONLY)
  add_custom_target(docs
    COMMAND ${DOXYGEN_EXECUTABLE} ${ORVANE_DOC_DIR}/Doxyfile
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Writing the API reference to ${ORVANE_DOC_DIR}/html"
    VERBATIM)
endif()
