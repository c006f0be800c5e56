// SPDX-License-Identifier: Apache-2.0
#include "audio/Mp3Decoder.h"

#include <mpg123.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace orvane::audio {

namespace {
struct HandleDeleter {
    void operator()(mpg123_handle* h) const {
        mpg123_close(h);
        mpg123_delete(h);
    }
};
} // namespace

bool Mp3Decoder::decodeFile(const std::string& path, PcmAudio& out, std::string& error) {
    out = PcmAudio{};
    mpg123_init();  // no-op in current releases, required by old ones
    int err = MPG123_OK;
    std::unique_ptr<mpg123_handle, HandleDeleter> handle(mpg123_new(nullptr, &err));
    if (!handle) {
        error = std::string("the MP3 decoder could not be created: ") + mpg123_plain_strerror(err);
        return false;
    }
    mpg123_handle* mh = handle.get();
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
    // Accept every native rate, always as mono 16-bit samples.
    mpg123_format_none(mh);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i) mpg123_format(mh, rates[i], MPG123_MONO, MPG123_ENC_SIGNED_16);

    if (mpg123_open(mh, path.c_str()) != MPG123_OK) {
        error = "cannot open " + path + ": " + mpg123_strerror(mh);
        return false;
    }
    long rate = 0;
    int channels = 0, encoding = 0;
    std::vector<unsigned char> buffer(16384);
    for (;;) {
        size_t done = 0;
        int rc = mpg123_read(mh, buffer.data(), buffer.size(), &done);
        if (rc == MPG123_NEW_FORMAT) {
            mpg123_getformat(mh, &rate, &channels, &encoding);
            if (out.sampleRate != 0 && out.sampleRate != rate) {
                error = path + ": the sample rate changes inside the stream";
                return false;
            }
            out.sampleRate = static_cast<int>(rate);
        }
        for (size_t i = 0; i + 1 < done; i += 2) {
            int16_t s;
            std::memcpy(&s, buffer.data() + i, sizeof s);
            out.samples.push_back(static_cast<float>(s) / 32768.0f);
        }
        if (rc == MPG123_DONE) break;
        if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) {
            error = path + ": " + mpg123_strerror(mh);
            return false;
        }
    }
    if (out.sampleRate == 0 || out.samples.empty()) {
        error = path + ": no MPEG audio found";
        return false;
    }
    return true;
}

} // namespace orvane::audio
