#include "orvane/host/core/CLog.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/io/ResourceManager.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
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
