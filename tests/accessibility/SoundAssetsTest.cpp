// SPDX-License-Identifier: Apache-2.0
#include "AudioAnalysis.h"
#include "audio/Mp3Decoder.h"
#include "common/TestSupport.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/package/OrvaneUIPackage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sys/stat.h>
#include <thread>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

// Every test process registers the package and extracts sounds into a
// temporary cache folder of its own.
class SoundEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        OrvaneUIPackage::instance();
        FileSystemManager::setCacheDirectory(test::tempDir() + "/cache");
    }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new SoundEnvironment);

std::string keyName(const char* set, int key, char letter) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s/key%02d_%c_Flat.mp3", set, key, letter);
    return buf;
}

// Resolves a relative asset path ("sonification/mp3/...") the way the library does.
std::shared_ptr<const std::string> resolve(const std::string& relative) {
    fs::path p = "OrvaneUI/assets/" + relative;
    return FileSystemManager::getPathForResource(p.filename().string(), "", p.parent_path().string());
}

audio::PcmAudio decode(const std::string& relative) {
    audio::PcmAudio pcm;
    auto path = resolve(relative);
    EXPECT_TRUE(path) << relative;
    if (!path) return pcm;
    std::string error;
    EXPECT_TRUE(audio::Mp3Decoder::decodeFile(*path, pcm, error)) << relative << ": " << error;
    return pcm;
}

double keyFrequency(int key) { return 440.0 * std::pow(2.0, (key - 49) / 12.0); }

std::string readAll(const std::string& path) {
    std::string s;
    FileSystemManager::readFile(path, s);
    return s;
}

} // namespace

TEST(SoundManifest, ListsTheSoundFilesInOrderWithTheirKeys) {
    auto package = OrvaneUIPackage::instance();
    const auto& paths = package->relativeAssetPaths();
    ASSERT_EQ(paths.size(), 178u);
    EXPECT_EQ(paths[0], "sonification/mp3/bumper.mp3");
    EXPECT_EQ(paths[1], "sonification/mp3/missing.mp3");
    for (int key = 1; key <= 88; ++key) {
        EXPECT_EQ(paths[1 + key], "sonification/mp3/" + keyName("piano", key, 'p'));
        EXPECT_EQ(paths[89 + key], "sonification/mp3/" + keyName("pianoStatic", key, 'z'));
    }

    const auto& assets = package->getEmbeddedAssets();
    ASSERT_EQ(assets.size(), 178u);
    EXPECT_EQ(assets[0].key, "OrvaneUI/assets/sonification/mp3/bumper_mp3");
    EXPECT_EQ(assets[3].key, "OrvaneUI/assets/sonification/mp3/piano/key02_p_Flat_mp3");
    EXPECT_EQ(assets[177].key, "OrvaneUI/assets/sonification/mp3/pianoStatic/key88_z_Flat_mp3");
    size_t total = 0;
    for (size_t i = 0; i < assets.size(); ++i) {
        std::string expected = "OrvaneUI/assets/" + paths[i];
        expected[expected.rfind('.')] = '_';
        EXPECT_EQ(assets[i].key, expected);
        ASSERT_NE(assets[i].bytes, nullptr);
        EXPECT_GT(assets[i].length, 400u) << expected;
        EXPECT_EQ(PortablePackage::findEmbeddedAsset(expected), &assets[i]);
        total += assets[i].length;
    }
    // Neighbouring notes are different sounds, not one file repeated.
    for (size_t i = 3; i < assets.size(); ++i)
        EXPECT_FALSE(assets[i].length == assets[i - 1].length &&
                     std::memcmp(assets[i].bytes, assets[i - 1].bytes, assets[i].length) == 0)
            << assets[i].key;
    EXPECT_LT(total, 1500u * 1024u);
    std::cout << "embedded sound assets: " << total << " bytes\n";
}

TEST(SoundManifest, EveryAssetResolvesToAFileThatDecodesAsMp3) {
    const auto& paths = OrvaneUIPackage::instance()->relativeAssetPaths();
    const auto& assets = OrvaneUIPackage::instance()->getEmbeddedAssets();
    ASSERT_EQ(paths.size(), assets.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        auto path = resolve(paths[i]);
        ASSERT_TRUE(path) << paths[i];
        EXPECT_TRUE(path->ends_with("/OrvaneUI/assets/" + paths[i])) << *path;
        EXPECT_EQ(readAll(*path), std::string(reinterpret_cast<const char*>(assets[i].bytes), assets[i].length));

        audio::PcmAudio pcm;
        std::string error;
        ASSERT_TRUE(audio::Mp3Decoder::decodeFile(*path, pcm, error)) << error;
        double seconds = pcm.seconds();
        if (i >= 2) {
            // Exactly the synthesised half second: the decoder drops the
            // encoder's delay and padding.
            EXPECT_NEAR(seconds, 0.5, 0.001) << paths[i];
        } else {
            EXPECT_GE(seconds, 0.05) << paths[i];
            EXPECT_LE(seconds, 0.5) << paths[i];
        }
        float peak = 0;
        for (float s : pcm.samples) peak = std::max(peak, std::fabs(s));
        EXPECT_GT(peak, 0.1f) << paths[i] << " is (nearly) silent";
        EXPECT_LT(peak, 0.99f) << paths[i] << " clips";
    }
}

TEST(SoundManifest, NotesHaveThePitchOfTheirKeyPianoNotesDecayAndStaticNotesHold) {
    for (int key = 1; key <= 88; ++key) {
        SCOPED_TRACE("key " + std::to_string(key));
        const double expected = keyFrequency(key);
        for (const auto& [set, letter] : {std::pair{"piano", 'p'}, std::pair{"pianoStatic", 'z'}}) {
            auto pcm = decode("sonification/mp3/" + keyName(set, key, letter));
            double measured = test::measurePitch(pcm.samples, pcm.sampleRate, 0.03, expected / 2.2, expected * 2.2);
            EXPECT_NEAR(measured / expected, 1.0, 0.01) << set << ": " << measured << " Hz";
            if (key == 2 || key == 49 || key == 86)
                std::cout << set << " key " << key << ": measured " << measured << " Hz, expected " << expected
                          << " Hz\n";
            // A piano note fades; a static one holds its loudness.
            double early = test::rms(pcm.samples, pcm.sampleRate, 0.03, 0.13);
            double late = test::rms(pcm.samples, pcm.sampleRate, 0.33, 0.43);
            if (letter == 'p') {
                EXPECT_LT(late, 0.3 * early) << set;
            } else {
                EXPECT_NEAR(late / early, 1.0, 0.15) << set;
            }
        }
    }
}

TEST(SoundManifest, MissingAndEdgeSoundsAreUnlikeNotes) {
    auto missing = decode("sonification/mp3/missing.mp3");
    auto bumper = decode("sonification/mp3/bumper.mp3");
    auto note = decode("sonification/mp3/" + keyName("piano", 50, 'p'));
    // A note repeats itself almost exactly after one period; the hiss never does.
    EXPECT_GT(test::periodicity(note.samples, note.sampleRate, 0.05), 0.9);
    EXPECT_LT(test::periodicity(missing.samples, missing.sampleRate, 0.1), 0.5);
    // The knock is short: its energy is spent in the first tenth of a second.
    EXPECT_LT(test::rms(bumper.samples, bumper.sampleRate, 0.1, 0.15),
              0.2 * test::rms(bumper.samples, bumper.sampleRate, 0.0, 0.05));
}

TEST(ResourcePath, WritesTheFileOnceAndReturnsTheSamePath) {
    std::string cache = test::tempDir();
    FileSystemManager::setCacheDirectory(cache);
    auto first = FileSystemManager::getPathForResource("bumper.mp3", "", "OrvaneUI/assets/sonification/mp3");
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, fs::absolute(cache + "/OrvaneUI/assets/sonification/mp3/bumper.mp3").lexically_normal().string());
    auto inode = [](const std::string& path) {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_ino;
    };
    auto written = fs::last_write_time(*first);
    auto firstInode = inode(*first);
    auto again = FileSystemManager::getPathForResource("bumper.mp3", "", "OrvaneUI/assets/sonification/mp3/");
    EXPECT_EQ(again, first);
    // Not written again: the same file, untouched.
    EXPECT_EQ(fs::last_write_time(*first), written);
    EXPECT_EQ(inode(*first), firstInode);
    // The type may also be given apart from the name.
    EXPECT_EQ(FileSystemManager::getPathForResource("bumper", "mp3", "OrvaneUI/assets/sonification/mp3"), first);
    // Nothing but the resource is left in the folder (no temporary files).
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(*first).parent_path())) names.push_back(e.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"bumper.mp3"});
}

TEST(ResourcePath, ReplacesADamagedOrDeletedCacheFile) {
    std::string cache = test::tempDir();
    const auto* asset = PortablePackage::findEmbeddedAsset("OrvaneUI/assets/sonification/mp3/missing_mp3");
    ASSERT_TRUE(asset);
    const std::string bytes(reinterpret_cast<const char*>(asset->bytes), asset->length);
    // A file of the right size but other content, left by an earlier run.
    std::string stale = cache + "/OrvaneUI/assets/sonification/mp3/missing.mp3";
    fs::create_directories(fs::path(stale).parent_path());
    ASSERT_TRUE(FileSystemManager::writeToFile(std::string(bytes.size(), 'x'), stale));
    FileSystemManager::setCacheDirectory(cache);
    auto path = FileSystemManager::getPathForResource("missing.mp3", "", "OrvaneUI/assets/sonification/mp3");
    ASSERT_TRUE(path);
    EXPECT_EQ(readAll(*path), bytes);

    ASSERT_TRUE(FileSystemManager::writeToFile("truncated", *path));
    EXPECT_EQ(*FileSystemManager::getPathForResource("missing.mp3", "", "OrvaneUI/assets/sonification/mp3"), *path);
    EXPECT_EQ(readAll(*path), bytes);

    fs::remove(*path);
    EXPECT_EQ(*FileSystemManager::getPathForResource("missing.mp3", "", "OrvaneUI/assets/sonification/mp3"), *path);
    EXPECT_EQ(readAll(*path), bytes);
}

TEST(ResourcePath, UnknownResourcesAndUnusableCachesGiveNullAndALogLine) {
    FileSystemManager::setCacheDirectory(test::tempDir());
    CLogCapture log;
    EXPECT_FALSE(FileSystemManager::getPathForResource("key89_p_Flat.mp3", "", "OrvaneUI/assets/sonification/mp3/piano"));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "OrvaneUI/assets/sonification/mp3/piano/key89_p_Flat.mp3"));
    log.clear();
    EXPECT_FALSE(FileSystemManager::getPathForResource("bumper.mp3", "", "OrvaneUI/assets/sonification"));
    EXPECT_FALSE(FileSystemManager::getPathForResource("", "", ""));
    EXPECT_FALSE(FileSystemManager::getPathForResource("../mp3/bumper.mp3", "", "OrvaneUI/assets/sonification/mp3"));
    EXPECT_EQ(log.count(), 3u);

    // A cache "folder" that is a plain file cannot hold anything.
    std::string blocked = test::tempDir() + "/file";
    ASSERT_TRUE(FileSystemManager::writeToFile("x", blocked));
    FileSystemManager::setCacheDirectory(blocked);
    log.clear();
    EXPECT_FALSE(FileSystemManager::getPathForResource("bumper.mp3", "", "OrvaneUI/assets/sonification/mp3"));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "FileSystemManager"));
}

TEST(ResourcePath, ConcurrentRequestsAgreeOnOneCompleteFile) {
    FileSystemManager::setCacheDirectory(test::tempDir());
    const auto& paths = OrvaneUIPackage::instance()->relativeAssetPaths();
    std::vector<std::vector<std::string>> seen(4);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < seen.size(); ++t)
        threads.emplace_back([&, t] {
            for (size_t i = 0; i < 40; ++i) {
                auto p = resolve(paths[i]);
                seen[t].push_back(p ? *p : "");
            }
        });
    for (auto& t : threads) t.join();
    for (size_t t = 1; t < seen.size(); ++t) EXPECT_EQ(seen[t], seen[0]);
    const auto& assets = OrvaneUIPackage::instance()->getEmbeddedAssets();
    for (size_t i = 0; i < 40; ++i)
        EXPECT_EQ(readAll(seen[0][i]), std::string(reinterpret_cast<const char*>(assets[i].bytes), assets[i].length));
}
