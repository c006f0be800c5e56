# The tool tests run the orvane binary.
if(TARGET test_tool)
  add_dependencies(test_tool orvane)
endif()
