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
  # The tool's readers run in process, with the whole command table.
  foreach(_target fuzz_draw_json fuzz_report_pages)
    target_link_libraries(${_target} PRIVATE orvane_tool_commands)
  endforeach()
endif()
