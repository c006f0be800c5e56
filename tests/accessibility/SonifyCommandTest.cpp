// SPDX-License-Identifier: Apache-2.0
#include "AudioAnalysis.h"
#include "audio/Mp3Decoder.h"
#include "common/TestSupport.h"
#include "common/ToolRunner.h"
#include "orvane/host/io/FileSystemManager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <sstream>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

using test::ToolResult;

// Runs the orvane tool with the arguments (split at spaces), with its sound
// cache in a temporary folder.
ToolResult orvaneTool(const std::string& args) {
    return test::runToolCall(test::ToolCall{test::words(args), "", "", {{"ORVANE_CACHE_DIR", test::tempDir()}}});
}

std::vector<std::vector<std::string>> tabbedLines(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::istringstream l(line);
        for (std::string f; std::getline(l, f, '\t');) fields.push_back(f);
        lines.push_back(fields);
    }
    return lines;
}

// Mono 16-bit PCM of a WAVE file written by the tool.
bool readWav(const std::string& path, audio::PcmAudio& out) {
    std::string bytes;
    if (!FileSystemManager::readFile(path, bytes) || bytes.size() < 44) return false;
    auto u32 = [&](size_t at) {
        uint32_t v;
        std::memcpy(&v, bytes.data() + at, 4);
        return v;
    };
    auto u16 = [&](size_t at) {
        uint16_t v;
        std::memcpy(&v, bytes.data() + at, 2);
        return v;
    };
    if (bytes.compare(0, 4, "RIFF") || bytes.compare(8, 4, "WAVE") || bytes.compare(36, 4, "data")) return false;
    if (u16(20) != 1 || u16(22) != 1 || u16(34) != 16 || u32(4) != bytes.size() - 8 || u32(40) != bytes.size() - 44)
        return false;
    out.sampleRate = static_cast<int>(u32(24));
    out.samples.clear();
    for (size_t i = 44; i + 1 < bytes.size(); i += 2) out.samples.push_back(static_cast<int16_t>(u16(i)) / 32768.0f);
    return true;
}

size_t decodedLength(const std::string& relative) {
    auto path = FileSystemManager::getPathForResource(fs::path(relative).filename(), "",
                                                      "OrvaneUI/assets/" + fs::path(relative).parent_path().string());
    audio::PcmAudio pcm;
    std::string error;
    EXPECT_TRUE(path && audio::Mp3Decoder::decodeFile(*path, pcm, error)) << relative << error;
    return pcm.samples.size();
}

double keyFrequency(int key) { return 440.0 * std::pow(2.0, (key - 49) / 12.0); }

std::string writeCsv(const std::string& text) {
    std::string path = test::tempDir() + "/series.csv";
    EXPECT_TRUE(FileSystemManager::writeToFile(text, path));
    return path;
}

class SonifyCommand : public ::testing::Test {
protected:
    void SetUp() override { FileSystemManager::setCacheDirectory(test::tempDir()); }
};

} // namespace

TEST_F(SonifyCommand, PrintsTheKeyAndSoundFileOfEachValue) {
    ToolResult r = orvaneTool("sonify --min 0 --max 36 0 1.5 36 nan 40 -0.1");
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = tabbedLines(r.out);
    ASSERT_EQ(lines.size(), 7u) << r.out;
    EXPECT_EQ(lines[0], std::vector<std::string>{"range 0 to 36"});
    struct Expect {
        const char* value;
        const char* key;
        const char* file;
    };
    const Expect expected[] = {{"0", "2", "/sonification/mp3/piano/key02_p_Flat.mp3"},
                               {"1.5", "5", "/sonification/mp3/piano/key05_p_Flat.mp3"},
                               {"36", "86", "/sonification/mp3/piano/key86_p_Flat.mp3"},
                               {"nan", "missing", "/sonification/mp3/missing.mp3"},
                               {"40", "none", ""},
                               {"-0.1", "none", ""}};
    for (size_t i = 0; i < 6; ++i) {
        const auto& l = lines[i + 1];
        ASSERT_EQ(l.size(), 3u) << r.out;
        EXPECT_EQ(l[0], expected[i].value);
        EXPECT_EQ(l[1], expected[i].key);
        if (*expected[i].file) {
            EXPECT_TRUE(l[2].ends_with(expected[i].file)) << l[2];
            EXPECT_TRUE(fs::is_regular_file(l[2])) << l[2];
        }
    }
    // Without --min/--max the values themselves give the range.
    r = orvaneTool("sonify 10 20 15");
    ASSERT_EQ(r.status, 0) << r.err;
    lines = tabbedLines(r.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1][1], "2");
    EXPECT_EQ(lines[2][1], "86");
}

TEST_F(SonifyCommand, RendersACsvColumnAsOnePlayableFile) {
    // Rows: the minimum, a missing value, the maximum, an empty cell, a ".".
    std::string csv = writeCsv("id,value,label\n1,0,a\n2,NA,b\n3,36,c\n4,,d\n5,.,e\n");
    std::string dir = test::tempDir();
    ToolResult r = orvaneTool("sonify " + csv + " --column value -o " + dir + "/series.wav");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("5 values (3 missing, 0 outside"), std::string::npos) << r.out;

    audio::PcmAudio wav;
    ASSERT_TRUE(readWav(dir + "/series.wav", wav));
    const int rate = wav.sampleRate;
    ASSERT_GT(rate, 0);
    const size_t gap = static_cast<size_t>(std::lround(0.08 * rate));
    const size_t note = decodedLength("sonification/mp3/piano/key02_p_Flat.mp3");
    const size_t top = decodedLength("sonification/mp3/piano/key86_p_Flat.mp3");
    const size_t missing = decodedLength("sonification/mp3/missing.mp3");
    EXPECT_EQ(wav.samples.size(), note + top + 3 * missing + 5 * gap);
    // The first sound is the lowest tone, the third the highest.
    double first = test::measurePitch(wav.samples, rate, 0.03, 10, 100);
    EXPECT_NEAR(first / keyFrequency(2), 1.0, 0.01);
    double thirdStart = static_cast<double>(note + missing + 2 * gap) / rate;
    double third = test::measurePitch(wav.samples, rate, thirdStart + 0.03, 1500, 8000);
    EXPECT_NEAR(third / keyFrequency(86), 1.0, 0.01);
    // The gap between sounds is silent.
    EXPECT_LT(test::rms(wav.samples, rate, static_cast<double>(note) / rate + 0.005,
                        static_cast<double>(note + gap) / rate - 0.005),
              1e-4);

    // The same series as MP3 decodes to the same length.
    r = orvaneTool("sonify " + csv + " --column value -o " + dir + "/series.mp3");
    ASSERT_EQ(r.status, 0) << r.err;
    audio::PcmAudio mp3;
    std::string error;
    ASSERT_TRUE(audio::Mp3Decoder::decodeFile(dir + "/series.mp3", mp3, error)) << error;
    EXPECT_EQ(mp3.sampleRate, rate);
    EXPECT_EQ(mp3.samples.size(), wav.samples.size());

    // Values outside a given range play the edge sound.
    r = orvaneTool("sonify " + csv + " --column value --min 0 --max 10 -o " + dir + "/clipped.wav");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("1 outside"), std::string::npos) << r.out;
    audio::PcmAudio clipped;
    ASSERT_TRUE(readWav(dir + "/clipped.wav", clipped));
    EXPECT_EQ(clipped.samples.size(), note + decodedLength("sonification/mp3/bumper.mp3") + 3 * missing + 5 * gap);
}

TEST_F(SonifyCommand, RefusesBadInputWithoutLeavingFilesBehind) {
    std::string csv = writeCsv("a,b\n1,2\n3,x\n");
    std::string dir = test::tempDir();
    std::string out = dir + "/out.wav";
    ASSERT_TRUE(FileSystemManager::writeToFile("earlier result", out));

    struct Case {
        std::string args, message;
        int status;  // 1: the input is bad, 2: the command line is
    };
    const Case cases[] = {
        {"sonify " + csv + " --column nope -o " + out, "no column \"nope\"", 1},
        {"sonify " + csv + " --column b -o " + out, "row 3: \"x\" in column \"b\" is not a number", 1},
        {"sonify " + dir + "/absent.csv --column a -o " + out, dir + "/absent.csv: cannot read (No such file", 1},
        {"sonify " + dir + " --column a -o " + out, dir + ": is a directory", 1},
        {"sonify " + writeCsv("a,b\n1,2\n3\n") + " --column a -o " + out, ":3: row has 1 field, expected 2", 1},
        {"sonify " + csv + " --column a -o " + out + ".ogg", "must end in .wav or .mp3", 2},
        {"sonify " + csv + " -o " + out, "--column NAME is needed", 2},
        {"sonify --min 5 --max 1 3", "--min must not be greater than --max", 2},
        {"sonify --min inf 3", "--min needs a finite number", 2},
        {"sonify --volume 3 3", "unknown option --volume", 2},
        {"sonify", "no values given", 2},
    };
    for (const auto& c : cases) {
        ToolResult r = orvaneTool(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
    }
    // The earlier file is untouched and no temporary file is left.
    std::string kept;
    ASSERT_TRUE(FileSystemManager::readFile(out, kept));
    EXPECT_EQ(kept, "earlier result");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // An output folder that does not exist.
    ToolResult r = orvaneTool("sonify " + csv + " --column a -o " + dir + "/no/such/folder/out.wav");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(dir + "/no/such/folder/out.wav: cannot write (No such file or directory)"), std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(dir + "/no"));
}
