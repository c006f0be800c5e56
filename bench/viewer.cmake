# SPDX-License-Identifier: Apache-2.0
# The viewer's frame benchmark uses the tool's frame deltas.
target_link_libraries(bench_viewer_frames PRIVATE orvane_tool_commands)
target_compile_definitions(bench_viewer_frames PRIVATE ORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
