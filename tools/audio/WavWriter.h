// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvane::audio {

// RIFF/WAVE encoding of mono samples as 16-bit little-endian PCM. The header
// can be written first (for a known sample count) and the samples streamed
// after it.
class WavWriter {
public:
    // Largest sample count a WAVE file (32-bit sizes) can hold.
    static constexpr size_t MAX_SAMPLES = (0xffffffffu - 36u) / 2;

    // The 44-byte header for sampleCount samples (at most MAX_SAMPLES).
    static std::vector<uint8_t> header(size_t sampleCount, int sampleRate);
    // Appends the samples (clipped to +/-1) as PCM data.
    static void appendSamples(std::span<const float> samples, std::vector<uint8_t>& out);
    // The complete file (samples beyond MAX_SAMPLES are cut).
    static std::vector<uint8_t> encode(std::span<const float> samples, int sampleRate);
};

} // namespace orvane::audio
