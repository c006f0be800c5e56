# SPDX-License-Identifier: Apache-2.0
# The prompt tests run the orvane tool's snap command.
if(TARGET test_prompts AND TARGET orvane)
  add_dependencies(test_prompts orvane)
endif()
