// SPDX-License-Identifier: Apache-2.0
// orvane_soundgen OUT_DIR OUT_CPP
//
// Build step of the library: synthesises the package's 178 sound files,
// encodes them as MP3, writes them under OUT_DIR (sonification/mp3/...) and
// writes OUT_CPP, a C++ source that compiles their bytes into the library's
// read-only data (the table behind orvane/package/SoundAssetTable.h).
#include "audio/Mp3Encoder.h"
#include "soundgen/ToneSynthesizer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using orvane::audio::Mp3Encoder;
using orvane::soundgen::ToneSynthesizer;

namespace {

struct Sound {
    std::string path;  // relative to OUT_DIR, e.g. "sonification/mp3/piano/key02_p_Flat.mp3"
    std::function<std::vector<float>()> synthesise;
};

std::string twoDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

// The package's asset order: bumper, missing, 88 plucked notes, 88 held notes.
std::vector<Sound> allSounds() {
    std::vector<Sound> out;
    out.push_back({"sonification/mp3/bumper.mp3", &ToneSynthesizer::bumper});
    out.push_back({"sonification/mp3/missing.mp3", &ToneSynthesizer::missing});
    for (int k = ToneSynthesizer::LOWEST_KEY; k <= ToneSynthesizer::HIGHEST_KEY; ++k)
        out.push_back({"sonification/mp3/piano/key" + twoDigits(k) + "_p_Flat.mp3", [k] { return ToneSynthesizer::pianoNote(k); }});
    for (int k = ToneSynthesizer::LOWEST_KEY; k <= ToneSynthesizer::HIGHEST_KEY; ++k)
        out.push_back({"sonification/mp3/pianoStatic/key" + twoDigits(k) + "_z_Flat.mp3",
                       [k] { return ToneSynthesizer::staticNote(k); }});
    return out;
}

// Writes through a temporary file and a rename, so that an interrupted build
// never leaves a truncated output that looks up to date.
bool writeFile(const fs::path& path, const std::string& bytes) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    fs::path tmp = path;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            fs::remove(tmp, ec);
            return false;
        }
    }
    fs::rename(tmp, path, ec);
    if (ec) fs::remove(tmp, ec);
    return !ec;
}

// A string literal holding arbitrary bytes: printable ASCII as is, the rest
// as three-digit octal escapes (which never absorb a following character).
void appendLiteral(std::string& out, const std::vector<uint8_t>& bytes) {
    constexpr size_t kLine = 100;
    size_t column = 0;
    out += "    \"";
    for (uint8_t b : bytes) {
        if (column >= kLine) {
            out += "\"\n    \"";
            column = 0;
        }
        if (b >= 0x20 && b < 0x7f && b != '"' && b != '\\' && b != '?') {
            out += static_cast<char>(b);
            ++column;
        } else {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\%03o", b);
            out += esc;
            column += 4;
        }
    }
    out += "\"";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUT_DIR OUT_CPP\n", argv[0]);
        return 2;
    }
    const fs::path outDir = argv[1];
    const fs::path outCpp = argv[2];

    Mp3Encoder::Settings settings;
    settings.sampleRate = ToneSynthesizer::SAMPLE_RATE;
    settings.bitrateKbps = 56;

    std::string cpp =
        "// Generated at build time by orvane_soundgen from tools/soundgen; do not edit.\n"
        "#include \"orvane/package/SoundAssetTable.h\"\n\n"
        "namespace orvane {\n\nnamespace {\n";
    std::string table;
    size_t total = 0;
    const auto sounds = allSounds();
    for (size_t i = 0; i < sounds.size(); ++i) {
        const Sound& sound = sounds[i];
        std::vector<uint8_t> mp3;
        std::string error;
        if (!Mp3Encoder::encode(sound.synthesise(), settings, mp3, error)) {
            std::fprintf(stderr, "orvane_soundgen: %s: %s\n", sound.path.c_str(), error.c_str());
            return 1;
        }
        if (!writeFile(outDir / sound.path, std::string(mp3.begin(), mp3.end()))) {
            std::fprintf(stderr, "orvane_soundgen: cannot write %s\n", (outDir / sound.path).string().c_str());
            return 1;
        }
        total += mp3.size();
        std::string name = "kSound" + std::to_string(i);
        cpp += "// " + sound.path + "\nconst unsigned char " + name + "[] =\n";
        appendLiteral(cpp, mp3);
        cpp += ";\n";
        table += "    {\"" + sound.path + "\", " + name + ", sizeof " + name + " - 1},\n";
    }
    cpp += "\nconst SoundAssetTable::Entry kEntries[] = {\n" + table + "};\n\n} // namespace\n\n";
    cpp += "std::span<const SoundAssetTable::Entry> SoundAssetTable::entries() { return kEntries; }\n\n";
    cpp += "} // namespace orvane\n";
    if (!writeFile(outCpp, cpp)) {
        std::fprintf(stderr, "orvane_soundgen: cannot write %s\n", outCpp.string().c_str());
        return 1;
    }
    std::printf("orvane_soundgen: %zu sound files, %zu bytes of MP3\n", sounds.size(), total);
    return 0;
}
