# libFuzzer targets of the geo answer parsers. Built only in a clang build
# configured with -DORVANE_FUZZ=ON (scripts/fuzz.sh does that, in its own
# build folder, with the sanitizers on).
option(ORVANE_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(ORVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORVANE_FUZZ needs clang (CC=clang CXX=clang++)")
  endif()
  foreach(_fuzz GeocodeAnswers GeoEnrichmentAnswers DirectoryAnswers)
    string(REGEX REPLACE "([a-z])([A-Z])" "\\1_\\2" _name ${_fuzz})
    string(TOLOWER "fuzz_${_name}" _target)
    add_executable(${_target} ${CMAKE_CURRENT_LIST_DIR}/fuzz/Fuzz${_fuzz}.cpp)
    target_link_libraries(${_target} PRIVATE OrvaneUI orvane_rapidjson)
    target_compile_options(${_target} PRIVATE -fsanitize=fuzzer)
    target_link_options(${_target} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
