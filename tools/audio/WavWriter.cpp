// SPDX-License-Identifier: Apache-2.0
#include "audio/WavWriter.h"

#include <algorithm>
#include <cmath>

namespace orvane::audio {

namespace {
void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xff));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}
void putTag(std::vector<uint8_t>& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }
} // namespace

std::vector<uint8_t> WavWriter::header(size_t sampleCount, int sampleRate) {
    constexpr uint32_t kChannels = 1, kBits = 16, kBlockAlign = kChannels * kBits / 8;
    uint32_t dataBytes = static_cast<uint32_t>(std::min(sampleCount, MAX_SAMPLES) * kBlockAlign);
    uint32_t rate = static_cast<uint32_t>(std::max(sampleRate, 1));
    std::vector<uint8_t> out;
    out.reserve(44);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, kChannels);
    put32(out, rate);
    put32(out, rate * kBlockAlign);
    put16(out, kBlockAlign);
    put16(out, kBits);
    putTag(out, "data");
    put32(out, dataBytes);
    return out;
}

void WavWriter::appendSamples(std::span<const float> samples, std::vector<uint8_t>& out) {
    out.reserve(out.size() + samples.size() * 2);
    for (float s : samples) {
        if (std::isnan(s)) s = 0.0f;
        long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
}

std::vector<uint8_t> WavWriter::encode(std::span<const float> samples, int sampleRate) {
    auto kept = samples.first(std::min(samples.size(), MAX_SAMPLES));
    std::vector<uint8_t> out = header(kept.size(), sampleRate);
    appendSamples(kept, out);
    return out;
}

} // namespace orvane::audio
