# SPDX-License-Identifier: Apache-2.0
# orvane serve answers HTTP with cpp-httplib.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CPPHTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
find_package(Threads REQUIRED)
target_link_libraries(orvane_tool_commands PUBLIC PkgConfig::CPPHTTPLIB Threads::Threads)
