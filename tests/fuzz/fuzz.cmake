# SPDX-License-Identifier: Apache-2.0
# libFuzzer targets of the readers of outside input: model documents, CSV
# data and columns files, style text and scalar property text, expressions,
# format names, interval and date-format names with the axis engine, and the
# tool's display-list JSON and report pages. Built only in a clang build
# configured with -DORVANE_FUZZ=ON (scripts/fuzz.sh runs them, each from its
# seed corpus in tests/fuzz/corpus/<target>).
option(ORVANE_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(ORVANE_FUZZ)
  orvane_add_fuzz_targets(${CMAKE_CURRENT_LIST_DIR}/src ModelDocuments Csv StyleText Expressions FormatNames
                          AxisNames DrawJson ReportPages)
  # The tool's readers, built in with the command table.
  set(_tool ${CMAKE_SOURCE_DIR}/tools/orvane)
  target_sources(fuzz_draw_json PRIVATE ${_tool}/DrawCommand.cpp ${_tool}/Command.cpp)
  target_sources(fuzz_report_pages PRIVATE ${_tool}/RenderCommand.cpp ${_tool}/ReportDocument.cpp
                                           ${_tool}/ReportPage.cpp ${_tool}/Command.cpp)
  target_link_libraries(fuzz_report_pages PRIVATE EXPAT::EXPAT)
  foreach(_target fuzz_draw_json fuzz_report_pages)
    target_include_directories(${_target} PRIVATE ${_tool})
  endforeach()
endif()
