# The sonify command decodes and encodes sound (orvane_audio, defined with the
# library's sound files) and reads CSV files with libcsv.
target_link_libraries(orvane PRIVATE orvane_audio ${CSV_LIBRARY})
target_include_directories(orvane PRIVATE ${CSV_INCLUDE_DIR})
