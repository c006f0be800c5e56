# SPDX-License-Identifier: Apache-2.0
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

# Generated headers (version, export macros) live under one include root in the
# build tree and are installed beside the library's own headers.
set(ORVANE_GENERATED_INCLUDE_DIR ${CMAKE_BINARY_DIR}/include)

# Before 1.0 every minor version may change the ABI, so it is part of the
# SONAME (libOrvaneUI.so.0.1); from 1.0 on the major version alone.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(ORVANE_SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
else()
  set(ORVANE_SOVERSION ${PROJECT_VERSION_MAJOR})
endif()

# The asset folder relative to the installed libraries, and relative to the
# libraries of the build tree (build/lib -> build/share/orvane/assets). The
# library looks beside itself, so neither the build machine's paths nor the
# install prefix are baked into the binaries.
set(ORVANE_INSTALL_ASSETDIR ${CMAKE_INSTALL_DATADIR}/orvane/assets)
file(RELATIVE_PATH ORVANE_ASSET_RELATIVE_DIR
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR} ${CMAKE_INSTALL_PREFIX}/${ORVANE_INSTALL_ASSETDIR})

# orvane_library(<target> <export base name> <export header, relative to the include root>)
# Gives a shared library of this project its version, its export macros
# (<BASE>_EXPORT in the generated header) and its symbol visibility: hidden by
# default once ORVANE_HIDDEN_VISIBILITY is set, so that only what carries the
# macro is part of the ABI.
function(orvane_library target base header)
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${ORVANE_SOVERSION}
    INSTALL_RPATH "$ORIGIN")
  if(ORVANE_HIDDEN_VISIBILITY)
    set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  endif()
  # Calls between the library's own exported functions bind inside the
  # library: the linker resolves them directly, without a PLT stub and a
  # symbol lookup at load time. Nothing outside is meant to replace them.
  if(NOT APPLE)
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic-functions)
  endif()
  generate_export_header(${target} BASE_NAME ${base}
                         EXPORT_FILE_NAME ${ORVANE_GENERATED_INCLUDE_DIR}/${header})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${ORVANE_GENERATED_INCLUDE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
endfunction()

# orvane/Version.h: the version macros of the headers a program compiled with.
function(orvane_version_header)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/Version.h.in ${ORVANE_GENERATED_INCLUDE_DIR}/orvane/Version.h @ONLY)
endfunction()

# The build tree mirrors the installed layout for the assets, so the uninstalled
# libraries find them the same way the installed ones do.
function(orvane_build_tree_assets)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/share/orvane)
  if(NOT EXISTS ${CMAKE_BINARY_DIR}/share/orvane/assets)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/assets ${CMAKE_BINARY_DIR}/share/orvane/assets COPY_ON_ERROR SYMBOLIC)
  endif()
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
