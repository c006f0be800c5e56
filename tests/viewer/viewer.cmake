# SPDX-License-Identifier: Apache-2.0
# The viewer's tests run its server in process (the tool's command objects)
# and, in a headless Chromium, the `orvane serve` program itself.
if(TARGET test_viewer)
  target_link_libraries(test_viewer PRIVATE orvane_tool_commands)
  add_dependencies(test_viewer orvane)
endif()
# Debian's own Python: Selenium and Pillow come from Debian packages.
find_program(ORVANE_DEBIAN_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(ORVANE_DEBIAN_PYTHON AND TARGET orvane)
  # Exit status 77: Chromium, its driver or Selenium is not installed.
  add_test(NAME viewer.browser
           COMMAND ${ORVANE_DEBIAN_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/browser_test.py
                   --orvane $<TARGET_FILE:orvane> --out ${CMAKE_BINARY_DIR}/tests/viewer
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  # Under the sanitizers the tool it starts reads the same leak suppressions
  # (fontconfig's own caches) as every other test.
  set_tests_properties(viewer.browser PROPERTIES LABELS viewer SKIP_RETURN_CODE 77 TIMEOUT 300
                       ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
endif()
