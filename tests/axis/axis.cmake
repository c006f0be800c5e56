# SPDX-License-Identifier: Apache-2.0
# The axis tests run the orvane tool's ticks command.
if(TARGET test_axis AND TARGET orvane)
  add_dependencies(test_axis orvane)
endif()
