# SPDX-License-Identifier: Apache-2.0
# Install rules: the three shared libraries, their public headers under one
# include root (include/orvane/...), the assets, the `orvane` tool, a CMake
# package (find_package(OrvaneUI CONFIG) -> OrvaneUI::OrvaneUI) and a
# pkg-config file (OrvaneUI.pc).

set(ORVANE_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/OrvaneUI)

# Headers that are not part of the API: they expose a private dependency or
# only serve the library's own sources. Matched against the path under the
# include root; folders named detail/ or internal/ are never installed either.
set(ORVANE_INTERNAL_HEADERS
  orvane/geo/EsriJsonReader.h)

# orvane_install_headers(<folder holding orvane/>)
function(orvane_install_headers root)
  file(GLOB_RECURSE _headers RELATIVE ${root} CONFIGURE_DEPENDS ${root}/orvane/*.h)
  foreach(_h ${_headers})
    if(_h IN_LIST ORVANE_INTERNAL_HEADERS OR _h MATCHES "/(detail|internal)/")
      continue()
    endif()
    if(NOT ORVANE_WITH_GEO AND _h MATCHES "^orvane/(host/net|host/geo|geo)/")
      continue()  # not built
    endif()
    get_filename_component(_dir ${_h} DIRECTORY)
    install(FILES ${root}/${_h} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${_dir} COMPONENT Development)
  endforeach()
endfunction()

set_target_properties(orvane_host PROPERTIES EXPORT_NAME Host)
set_target_properties(orvane_displaylist PROPERTIES EXPORT_NAME DisplayList)
install(TARGETS orvane_host orvane_displaylist OrvaneUI
  EXPORT OrvaneUITargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)

orvane_install_headers(${CMAKE_SOURCE_DIR}/platform/host)
orvane_install_headers(${CMAKE_SOURCE_DIR}/platform/displaylist)
orvane_install_headers(${CMAKE_SOURCE_DIR}/src)
orvane_install_headers(${ORVANE_GENERATED_INCLUDE_DIR})

# The message catalogue; the package's sounds are compiled into the library.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/ DESTINATION ${ORVANE_INSTALL_ASSETDIR} COMPONENT Runtime)

# The tool finds the libraries beside its own bin folder.
file(RELATIVE_PATH _tool_to_lib ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})
set_target_properties(orvane PROPERTIES INSTALL_RPATH "$ORIGIN/${_tool_to_lib}")
install(TARGETS orvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)

# CMake package.
install(EXPORT OrvaneUITargets NAMESPACE OrvaneUI:: DESTINATION ${ORVANE_INSTALL_CMAKEDIR} COMPONENT Development)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/OrvaneUIConfig.cmake.in
  ${CMAKE_BINARY_DIR}/cmake/OrvaneUIConfig.cmake
  INSTALL_DESTINATION ${ORVANE_INSTALL_CMAKEDIR}
  PATH_VARS ORVANE_INSTALL_ASSETDIR)
# Before 1.0 a minor version may break compatibility, from 1.0 on a major one.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(_compat SameMinorVersion)
else()
  set(_compat SameMajorVersion)
endif()
write_basic_package_version_file(${CMAKE_BINARY_DIR}/cmake/OrvaneUIConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY ${_compat})
install(FILES ${CMAKE_BINARY_DIR}/cmake/OrvaneUIConfig.cmake ${CMAKE_BINARY_DIR}/cmake/OrvaneUIConfigVersion.cmake
  DESTINATION ${ORVANE_INSTALL_CMAKEDIR} COMPONENT Development)

# pkg-config: paths relative to the file itself, so the prefix can move.
file(RELATIVE_PATH ORVANE_PC_PREFIX_FROM_PCDIR
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" ORVANE_PC_PREFIX_FROM_PCDIR "${ORVANE_PC_PREFIX_FROM_PCDIR}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/OrvaneUI.pc.in ${CMAKE_BINARY_DIR}/pkgconfig/OrvaneUI.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/pkgconfig/OrvaneUI.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)

# The API reference, when the docs target has written it.
install(DIRECTORY ${CMAKE_BINARY_DIR}/docs/html/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/html
  OPTIONAL COMPONENT Documentation)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${CMAKE_SOURCE_DIR}/README.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Runtime)
