# SPDX-License-Identifier: Apache-2.0
# Test-side targets of the geo services: the loopback HTTP server that stands
# in for the Esri services (shared by the tests, the benchmark and the
# geo_test_server program used to try the `orvane` geo commands offline).
pkg_check_modules(CPPHTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)

add_library(orvane_geo_test_server STATIC ${CMAKE_CURRENT_LIST_DIR}/support/GeoTestServer.cpp)
target_include_directories(orvane_geo_test_server PUBLIC ${CMAKE_CURRENT_LIST_DIR}/support)
target_link_libraries(orvane_geo_test_server PUBLIC PkgConfig::CPPHTTPLIB Threads::Threads PRIVATE orvane_rapidjson)
target_compile_definitions(orvane_geo_test_server PRIVATE GEO_ANSWER_DIR="${CMAKE_CURRENT_LIST_DIR}/answers")

if(TARGET test_geo)
  target_link_libraries(test_geo PRIVATE orvane_geo_test_server orvane_rapidjson)
  target_compile_definitions(test_geo PRIVATE GEO_ANSWER_DIR="${CMAKE_CURRENT_LIST_DIR}/answers")
endif()

add_executable(geo_test_server ${CMAKE_CURRENT_LIST_DIR}/server/GeoTestServerMain.cpp)
target_link_libraries(geo_test_server PRIVATE orvane_geo_test_server)

# The geocoding benchmark talks to the same server; it is defined later (bench/).
function(orvane_geo_link_bench)
  if(TARGET bench_geo_geocode)
    target_link_libraries(bench_geo_geocode PRIVATE orvane_geo_test_server)
    target_compile_definitions(bench_geo_geocode PRIVATE ORVANE_GEO_TEST_SERVER=1)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL orvane_geo_link_bench)

# The tool-command tests run the `orvane` program.
if(TARGET test_geo AND TARGET orvane)
  add_dependencies(test_geo orvane)
endif()
