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

# orvane_add_fuzz_targets(<folder> <Name>...)
# One libFuzzer target per name: fuzz_<name_in_snake_case> built from
# <folder>/Fuzz<Name>.cpp against the library. Only in a clang build
# configured with -DORVANE_FUZZ=ON (scripts/fuzz.sh).
function(orvane_add_fuzz_targets folder)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORVANE_FUZZ needs clang (CC=clang CXX=clang++)")
  endif()
  foreach(_fuzz ${ARGN})
    string(REGEX REPLACE "([a-z])([A-Z])" "\\1_\\2" _name ${_fuzz})
    string(TOLOWER "fuzz_${_name}" _target)
    add_executable(${_target} ${folder}/Fuzz${_fuzz}.cpp)
    target_link_libraries(${_target} PRIVATE OrvaneUI orvane_rapidjson)
    target_compile_options(${_target} PRIVATE -fsanitize=fuzzer)
    target_link_options(${_target} PRIVATE -fsanitize=fuzzer)
  endforeach()
endfunction()
