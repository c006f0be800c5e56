// SPDX-License-Identifier: Apache-2.0
#include "audio/Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstring>

namespace orvane::audio {

namespace {
constexpr size_t kChunk = 1 << 15;  // samples per call into LAME
}

struct Mp3Encoder::Lame {
    lame_global_flags* flags = lame_init();
    ~Lame() {
        if (flags) lame_close(flags);
    }
};

Mp3Encoder::Mp3Encoder(const Settings& settings) : lame_(std::make_unique<Lame>()) {
    lame_global_flags* l = lame_->flags;
    if (!l) {
        error_ = "the MP3 encoder could not be created";
        return;
    }
    lame_set_num_channels(l, 1);
    lame_set_mode(l, MONO);
    lame_set_in_samplerate(l, settings.sampleRate);
    lame_set_out_samplerate(l, settings.sampleRate);
    lame_set_VBR(l, vbr_off);
    lame_set_brate(l, settings.bitrateKbps);
    lame_set_quality(l, settings.quality);
    lame_set_bWriteVbrTag(l, 1);
    lame_set_write_id3tag_automatic(l, 0);
    if (lame_init_params(l) < 0) {
        error_ = "the MP3 encoder rejected " + std::to_string(settings.sampleRate) + " Hz at " +
                 std::to_string(settings.bitrateKbps) + " kbit/s";
        return;
    }
    // LAME's documented worst case for n samples is 1.25 n + 7200 bytes.
    buffer_.resize(kChunk + kChunk / 4 + 7200);
}

Mp3Encoder::~Mp3Encoder() = default;

bool Mp3Encoder::add(std::span<const float> samples) {
    if (!ok()) return false;
    if (finished_) {
        error_ = "samples added after the end of the MP3 stream";
        return false;
    }
    for (size_t pos = 0; pos < samples.size(); pos += kChunk) {
        size_t n = std::min(kChunk, samples.size() - pos);
        const float* pcm = samples.data() + pos;
        int written = lame_encode_buffer_ieee_float(lame_->flags, pcm, pcm, static_cast<int>(n), buffer_.data(),
                                                    static_cast<int>(buffer_.size()));
        if (written < 0) {
            error_ = "the MP3 encoder failed (code " + std::to_string(written) + ")";
            return false;
        }
        out_.insert(out_.end(), buffer_.begin(), buffer_.begin() + written);
    }
    return true;
}

bool Mp3Encoder::finish() {
    if (!ok()) return false;
    if (finished_) return true;
    finished_ = true;
    int written = lame_encode_flush(lame_->flags, buffer_.data(), static_cast<int>(buffer_.size()));
    if (written < 0) {
        error_ = "the MP3 encoder failed to flush (code " + std::to_string(written) + ")";
        return false;
    }
    out_.insert(out_.end(), buffer_.begin(), buffer_.begin() + written);
    // LAME left an empty first frame for the Info tag; fill it in now that the
    // sample count is known.
    unsigned char tag[2880];
    size_t tagSize = lame_get_lametag_frame(lame_->flags, tag, sizeof tag);
    if (tagSize == 0 || tagSize > sizeof tag || tagSize > out_.size()) {
        error_ = "the MP3 encoder wrote no Info tag (the bit rate is too low for it)";
        return false;
    }
    std::memcpy(out_.data(), tag, tagSize);
    return true;
}

bool Mp3Encoder::encode(std::span<const float> samples, const Settings& settings, std::vector<uint8_t>& out,
                        std::string& error) {
    Mp3Encoder encoder(settings);
    encoder.add(samples);
    encoder.finish();
    if (!encoder.ok()) {
        error = encoder.error();
        out.clear();
        return false;
    }
    out = std::move(encoder.out_);
    return true;
}

} // namespace orvane::audio
