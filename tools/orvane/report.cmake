# SPDX-License-Identifier: Apache-2.0
# The render command renders the bundled example report when given no file.
target_compile_definitions(orvane_tool_commands PRIVATE ORVANE_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples")
