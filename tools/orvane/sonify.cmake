# SPDX-License-Identifier: Apache-2.0
# The sonify command decodes and encodes sound (orvane_audio, defined with the
# library's sound files).
target_link_libraries(orvane_tool_commands PUBLIC orvane_audio)
