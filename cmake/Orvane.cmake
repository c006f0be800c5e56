# Helpers shared by the build files.

# orvane_add_test_suite(<label> [LIBS ...])
# Builds one GoogleTest executable from tests/<label>/*.cpp and registers every
# test case with CTest under the label <label>. The tests know the source and
# build folders from compile definitions (tests/common/TestSupport.h); the one
# environment variable set here (a list would be split by test discovery) points
# leak checking at the suppressions of third-party caches.
function(orvane_add_test_suite label)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB _srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${label}/*.cpp)
  if(NOT _srcs)
    return()
  endif()
  add_executable(test_${label} ${_srcs})
  target_link_libraries(test_${label} PRIVATE orvane_test_common ${ARG_LIBS} GTest::gtest_main GTest::gmock Threads::Threads)
  gtest_discover_tests(test_${label}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    PROPERTIES LABELS ${label}
               ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
    DISCOVERY_TIMEOUT 60)
endfunction()
