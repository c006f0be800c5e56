# SPDX-License-Identifier: Apache-2.0
# The sonification tests decode sound files and run the orvane tool.
if(TARGET test_accessibility)
  target_link_libraries(test_accessibility PRIVATE orvane_audio)
  add_dependencies(test_accessibility orvane)
endif()
