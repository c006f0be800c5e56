// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/CLog.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/io/ResourceManager.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

using namespace orvane;

TEST(ResourceManager, CatalogueHasEveryKeyTheLibraryReads) {
    // Every key the library's sources name must resolve in its bundle.
    for (const char* key : {"total.txt", "subTotal.txt", "missingValue.txt", "datagrid.rowNumbers.header.txt",
                            "rangeSlider.currentValues.txt", "accessibility.table.column.txt",
                            "accessibility.crosstab.rowColumnSpans.txt", "aggregation.pValue.txt"})
        EXPECT_TRUE(ResourceManager::getString("ketra_orvane", key)) << key;
    EXPECT_TRUE(ResourceManager::getString("error_messages", "EsriGeocodeServices.EsriError.txt"));
    EXPECT_EQ(*ResourceManager::getString("ketra_portable_formatters", "listSeparator"), ",");
    CLogCapture log;
    EXPECT_FALSE(ResourceManager::getString("ketra_orvane", "no.such.key.txt"));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "no.such.key.txt"));
    EXPECT_EQ(ResourceManager::formatString("{0} to {1} ({0}) {2}", {"a", "b"}), "a to b (a) {2}");
}

// Restores the asset folder settings a test changed.
struct AssetDirectoryGuard {
    ~AssetDirectoryGuard() {
        unsetenv("ORVANE_ASSET_DIR");
        ResourceManager::setAssetDirectory("");
    }
};

TEST(ResourceManager, FindsAssetsBesideTheLibraryThenEnvironmentThenCall) {
    namespace fs = std::filesystem;
    AssetDirectoryGuard guard;
    unsetenv("ORVANE_ASSET_DIR");
    ResourceManager::setAssetDirectory("");
    // Uninstalled, the library's own lookup lands in the build tree's mirror
    // of the installed layout, not in a path compiled in.
    fs::path own = ResourceManager::getAssetDirectory();
    EXPECT_TRUE(fs::equivalent(own, fs::path(test::binaryDir()) / "share/orvane/assets")) << own;
    EXPECT_TRUE(fs::exists(own / "messages/ketra_orvane.properties"));

    // A folder of its own: the environment wins over the library's folder,
    // the call wins over the environment, and each change reloads bundles.
    std::string envDir = test::tempDir() + "/env";
    std::string callDir = test::tempDir() + "/call";
    fs::create_directories(envDir + "/messages");
    fs::create_directories(callDir + "/messages");
    std::ofstream(envDir + "/messages/probe.properties") << "who = environment\n";
    std::ofstream(callDir + "/messages/probe.properties") << "who = call\n";
    setenv("ORVANE_ASSET_DIR", envDir.c_str(), 1);
    ResourceManager::reset();
    EXPECT_EQ(ResourceManager::getAssetDirectory(), envDir);
    ASSERT_TRUE(ResourceManager::getString("probe", "who"));
    EXPECT_EQ(*ResourceManager::getString("probe", "who"), "environment");
    ResourceManager::setAssetDirectory(callDir);
    EXPECT_EQ(*ResourceManager::getString("probe", "who"), "call");

    // A folder without the bundle is reported, not silently empty.
    ResourceManager::setAssetDirectory(test::tempDir() + "/nothing");
    CLogCapture log;
    EXPECT_FALSE(ResourceManager::getString("probe", "who"));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "cannot read message bundle"));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "nothing/messages/probe.properties"));
    ResourceManager::setAssetDirectory("");
    unsetenv("ORVANE_ASSET_DIR");
    EXPECT_TRUE(ResourceManager::getString("ketra_orvane", "total.txt"));
}

TEST(ResourceManager, LibraryCarriesNoPathOfTheBuildMachine) {
    // The shared library must find its assets wherever it is installed: the
    // source tree's asset folder may not appear in it.
    std::ifstream in(test::binaryDir() + "/lib/liborvane_host.so", std::ios::binary);
    ASSERT_TRUE(in);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.find(test::sourceDir() + "/assets"), std::string::npos);
}

TEST(FileSystemManager, WritesAtomicallyAndFailsCleanly) {
    std::string dir = test::tempDir();
    EXPECT_TRUE(FileSystemManager::writeToFile("hello", dir + "/a.txt"));
    std::string back;
    EXPECT_TRUE(FileSystemManager::readFile(dir + "/a.txt", back));
    EXPECT_EQ(back, "hello");
    EXPECT_FALSE(FileSystemManager::writeToFile("x", dir + "/missing/b.txt"));
    EXPECT_FALSE(FileSystemManager::fileExists(dir + "/missing/b.txt"));
    EXPECT_FALSE(FileSystemManager::writeToFile("x", dir + "/a.txt", false));
}

TEST(Image, PngRoundTripKeepsPixels) {
    std::vector<uint8_t> px(4 * 3 * 2, 0);
    px[0] = 255;
    px[3] = 255;             // (0,0) opaque red
    px[4 * 4 + 2] = 200;     // (1,1) blue-ish, transparent
    Image img(3, 2, px);
    std::string path = test::tempDir() + "/i.png";
    ASSERT_TRUE(img.writePNG(path));
    auto back = Image::readPNG(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getWidth(), 3);
    EXPECT_EQ(back->getPixel(0, 0), 0xff0000ffu);
    EXPECT_EQ(back->getPixel(9, 9), 0u);
    EXPECT_FALSE(Image::readPNG(path + ".nope"));
    EXPECT_FALSE(img.writePNG("/nonexistent-dir/x.png"));
}
