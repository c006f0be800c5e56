# SPDX-License-Identifier: Apache-2.0
# The golden-picture tests run the orvane tool: build it before the suite.
if(TARGET test_displaylist AND TARGET orvane)
  add_dependencies(test_displaylist orvane)
endif()
# The text tests draw with a Cairo canvas of their own.
if(TARGET test_displaylist)
  target_link_libraries(test_displaylist PRIVATE PkgConfig::CAIRO)
endif()
