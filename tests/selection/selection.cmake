# SPDX-License-Identifier: Apache-2.0
# The selection tests run the orvane tool's select command.
if(TARGET test_selection AND TARGET orvane)
  add_dependencies(test_selection orvane)
endif()
