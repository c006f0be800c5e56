# The render command reads report files: a SAX pre-pass (expat) over the
# tool's <content> elements, and the bundled example report as the default.
target_link_libraries(orvane PRIVATE EXPAT::EXPAT)
target_compile_definitions(orvane PRIVATE ORVANE_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples")
