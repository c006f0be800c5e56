// SPDX-License-Identifier: Apache-2.0
#include "orvane/Version.h"

#include <gtest/gtest.h>

#include <string>

// The running library and the headers a program was built with must agree;
// the string, the parts and the macros come from one project version.
TEST(Version, LibraryAgreesWithHeaders) {
    std::string expected = std::to_string(ORVANE_VERSION_MAJOR) + "." + std::to_string(ORVANE_VERSION_MINOR) + "." +
                           std::to_string(ORVANE_VERSION_PATCH);
    EXPECT_EQ(std::string(orvane::version()), expected);
    EXPECT_EQ(std::string(ORVANE_VERSION_STRING), expected);
    EXPECT_EQ(orvane::versionMajor(), ORVANE_VERSION_MAJOR);
    EXPECT_EQ(orvane::versionMinor(), ORVANE_VERSION_MINOR);
    EXPECT_EQ(orvane::versionPatch(), ORVANE_VERSION_PATCH);
}
