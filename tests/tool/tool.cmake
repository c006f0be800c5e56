# SPDX-License-Identifier: Apache-2.0
# The tool tests run the orvane binary.
if(TARGET test_tool)
  add_dependencies(test_tool orvane)
  # The README test also runs the loopback geo server and compiles the
  # README's C++ examples against the library as a user's program would.
  if(TARGET geo_test_server)
    add_dependencies(test_tool geo_test_server)
  endif()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/tests/readme-snippet-build.txt CONTENT
"compiler=${CMAKE_CXX_COMPILER}
options=$<JOIN:$<TARGET_PROPERTY:OrvaneUI,COMPILE_OPTIONS>,;>
linkoptions=$<JOIN:$<TARGET_PROPERTY:OrvaneUI,LINK_OPTIONS>,;>
includes=$<JOIN:$<REMOVE_DUPLICATES:$<TARGET_PROPERTY:OrvaneUI,INTERFACE_INCLUDE_DIRECTORIES>>,;>
libraries=$<TARGET_LINKER_FILE:OrvaneUI>;$<TARGET_LINKER_FILE:orvane_host>;$<TARGET_LINKER_FILE:orvane_displaylist>
libdir=$<TARGET_FILE_DIR:OrvaneUI>
")
endif()
