// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"
#include "common/ToolRunner.h"
#include "orvane/Version.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using orvane::test::runTool;

// The tool names the running library's version and the asset folder it found
// by itself (in the build tree, the mirror of the installed layout); an asset
// folder from the environment wins, and one without a catalogue is an error.
TEST(VersionTool, NamesVersionAndAssetFolder) {
    namespace fs = std::filesystem;
    unsetenv("ORVANE_ASSET_DIR");
    auto r = runTool({"version"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(std::string("libOrvaneUI ") + ORVANE_VERSION_STRING), std::string::npos) << r.out;
    auto line = r.out.substr(r.out.find("assets: ") + 8);
    line = line.substr(0, line.find('\n'));
    EXPECT_TRUE(fs::equivalent(line, fs::path(orvane::test::binaryDir()) / "share/orvane/assets")) << line;

    std::string empty = orvane::test::tempDir();
    setenv("ORVANE_ASSET_DIR", empty.c_str(), 1);
    r = runTool({"version"});
    unsetenv("ORVANE_ASSET_DIR");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("assets: " + empty + " (no message catalogue there)"), std::string::npos) << r.out;

    r = runTool({"version", "extra"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("takes no arguments"), std::string::npos);
}
