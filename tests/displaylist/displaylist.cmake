# The golden-picture tests run the orvane tool: build it before the suite.
if(TARGET test_displaylist AND TARGET orvane)
  add_dependencies(test_displaylist orvane)
endif()
