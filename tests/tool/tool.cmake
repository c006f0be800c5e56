# The tool tests run the orvane binary. The report reader and page are tool
# code; their own tests build them in.
if(TARGET test_tool)
  add_dependencies(test_tool orvane)
  target_sources(test_tool PRIVATE ${CMAKE_SOURCE_DIR}/tools/orvane/ReportDocument.cpp
                                   ${CMAKE_SOURCE_DIR}/tools/orvane/ReportPage.cpp)
  target_include_directories(test_tool PRIVATE ${CMAKE_SOURCE_DIR}/tools/orvane)
  target_link_libraries(test_tool PRIVATE EXPAT::EXPAT)
endif()
