// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <string>
#include <vector>

namespace orvane::audio {

// Decoded audio: mono samples at full scale +/-1.
struct PcmAudio {
    int sampleRate = 0;
    std::vector<float> samples;

    double seconds() const { return sampleRate > 0 ? static_cast<double>(samples.size()) / sampleRate : 0.0; }
};

// Decodes an MPEG audio file with libmpg123 (stereo is mixed down to mono;
// encoder delay and padding recorded in an Info tag are removed).
class Mp3Decoder {
public:
    // False, with a message in error, when the file cannot be opened or holds
    // no decodable MPEG audio.
    static bool decodeFile(const std::string& path, PcmAudio& out, std::string& error);
};

} // namespace orvane::audio
