# SPDX-License-Identifier: Apache-2.0
# orvane serve answers HTTP with cpp-httplib and compares frames with dtl
# (Debian's libdtl-dev, header only).
find_package(PkgConfig REQUIRED)
pkg_check_modules(CPPHTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
find_package(Threads REQUIRED)
find_path(DTL_INCLUDE_DIR dtl/dtl.hpp REQUIRED)
target_include_directories(orvane_tool_commands SYSTEM PRIVATE ${DTL_INCLUDE_DIR})
target_link_libraries(orvane_tool_commands PUBLIC PkgConfig::CPPHTTPLIB Threads::Threads)
