# SPDX-License-Identifier: Apache-2.0
# The package's sound files: synthesised at build time by orvane_soundgen,
# encoded as MP3 with LAME and compiled into OrvaneUI's read-only data.

# MP3 encoding, decoding and WAV writing, shared by the generator, the orvane
# tool and the tests.
add_library(orvane_audio STATIC
  ${CMAKE_SOURCE_DIR}/tools/audio/Mp3Decoder.cpp
  ${CMAKE_SOURCE_DIR}/tools/audio/Mp3Encoder.cpp
  ${CMAKE_SOURCE_DIR}/tools/audio/WavWriter.cpp)
target_include_directories(orvane_audio PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(orvane_audio PUBLIC PkgConfig::LAME PkgConfig::MPG123)

add_executable(orvane_soundgen
  ${CMAKE_SOURCE_DIR}/tools/soundgen/SoundGen.cpp
  ${CMAKE_SOURCE_DIR}/tools/soundgen/ToneSynthesizer.cpp)
target_include_directories(orvane_soundgen PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(orvane_soundgen PRIVATE orvane_audio)

# Outputs in the package's asset order (the order only matters for reading).
set(ORVANE_SOUND_DIR ${CMAKE_BINARY_DIR}/assets/OrvaneUI/assets)
set(_sound_outputs
  ${ORVANE_SOUND_DIR}/sonification/mp3/bumper.mp3
  ${ORVANE_SOUND_DIR}/sonification/mp3/missing.mp3)
foreach(_set "piano;p" "pianoStatic;z")
  list(GET _set 0 _folder)
  list(GET _set 1 _letter)
  foreach(_key RANGE 1 88)
    string(LENGTH "${_key}" _len)
    if(_len EQUAL 1)
      set(_key "0${_key}")
    endif()
    list(APPEND _sound_outputs ${ORVANE_SOUND_DIR}/sonification/mp3/${_folder}/key${_key}_${_letter}_Flat.mp3)
  endforeach()
endforeach()
set(_sound_source ${CMAKE_CURRENT_BINARY_DIR}/generated/SoundAssetTable.cpp)

add_custom_command(
  OUTPUT ${_sound_source} ${_sound_outputs}
  COMMAND orvane_soundgen ${ORVANE_SOUND_DIR} ${_sound_source}
  DEPENDS orvane_soundgen
  COMMENT "Synthesising the package's sound files"
  VERBATIM)
target_sources(OrvaneUI PRIVATE ${_sound_source})
