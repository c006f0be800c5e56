// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace orvane::audio {

// Encodes mono samples (full scale +/-1) as a constant-bit-rate MP3 stream.
// The first frame is an Info tag recording the encoder delay and padding, so
// that a gapless decoder gives back exactly as many samples as went in. The
// tag needs room: at 44.1 kHz mono a frame holds it from 56 kbit/s up (LAME
// silently leaves it out at lower rates, and decoders then return whole
// frames, padding included).
// Samples can be added in pieces; the encoded bytes collect in output().
class Mp3Encoder {
public:
    struct Settings {
        int sampleRate = 44100;
        int bitrateKbps = 56;
        int quality = 2;  // LAME's algorithm quality: 0 best and slowest, 9 worst
    };

    explicit Mp3Encoder(const Settings& settings);
    ~Mp3Encoder();
    Mp3Encoder(const Mp3Encoder&) = delete;
    Mp3Encoder& operator=(const Mp3Encoder&) = delete;

    // False once anything failed; error() says what.
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    bool add(std::span<const float> samples);
    // Flushes the encoder and fills in the Info tag.
    bool finish();
    // The whole stream so far (complete after finish()).
    const std::vector<uint8_t>& output() const { return out_; }

    // One-shot form: false, with a message in error, on failure.
    static bool encode(std::span<const float> samples, const Settings& settings, std::vector<uint8_t>& out,
                       std::string& error);

private:
    struct Lame;
    std::unique_ptr<Lame> lame_;
    std::vector<uint8_t> out_;
    std::vector<unsigned char> buffer_;
    std::string error_;
    bool finished_ = false;
};

} // namespace orvane::audio
