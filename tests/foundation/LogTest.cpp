// SPDX-License-Identifier: Apache-2.0
// The host log's default: errors reach the output without any set-up, the
// other sections stay off until asked for.
#include "orvane/host/core/CLog.h"
#include "orvane/host/text/TextEngine.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

using namespace orvane;

namespace {

// Collects entries through the sink only, leaving the mask as the process has it.
class SinkOnly {
public:
    SinkOnly() {
        CLog::setSink([this](const CLog::Entry& e) {
            std::lock_guard<std::mutex> lock(mutex_);
            entries_.push_back(e);
        });
    }
    ~SinkOnly() { CLog::setSink({}); }
    std::vector<CLog::Entry> entries() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return entries_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<CLog::Entry> entries_;
};

} // namespace

TEST(Log, ErrorsAreOnByDefaultAndTheOtherSectionsOff) {
    EXPECT_TRUE(CLog::isEnabled(CLog::ERRORS));
    EXPECT_FALSE(CLog::isEnabled(CLog::NOTICES));
    EXPECT_FALSE(CLog::isEnabled(CLog::INFO));
    SinkOnly sink;
    ORVANE_LOG(CLog::ERRORS, "LogTest", "an error");
    ORVANE_LOG(CLog::NOTICES, "LogTest", "a notice");
    ORVANE_LOG(CLog::INFO, "LogTest", "a trace");
    auto entries = sink.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].section, CLog::ERRORS);
    EXPECT_EQ(entries[0].message, "an error");
}

TEST(Log, SectionsSwitchOneByOne) {
    CLog::setEnabled(CLog::NOTICES, true);
    EXPECT_TRUE(CLog::isEnabled(CLog::NOTICES));
    EXPECT_FALSE(CLog::isEnabled(CLog::INFO));
    EXPECT_TRUE(CLog::isEnabled(CLog::ERRORS));
    CLog::setEnabled(CLog::NOTICES, false);
    CLog::setEnabled(CLog::ERRORS, false);
    EXPECT_FALSE(CLog::isEnabled(CLog::ERRORS));
    EXPECT_FALSE(CLog::isEnabled(CLog::NOTICES));
    CLog::setEnabled(CLog::ERRORS, true);
    EXPECT_TRUE(CLog::isEnabled(CLog::ERRORS));
}

TEST(Log, AnUnknownFontFamilyLogsOneLineByDefault) {
    SinkOnly sink;
    bool resolved = true;
    auto& engine = TextEngine::instance();
    EXPECT_TRUE(engine.getFace("No Such Family 2319", false, false, &resolved));
    EXPECT_FALSE(resolved);
    engine.getFace("No Such Family 2319", false, false);  // asked again: already said
    size_t lines = 0;
    for (const auto& e : sink.entries())
        if (e.message.find("No Such Family 2319") != std::string::npos) {
            ++lines;
            EXPECT_EQ(e.section, CLog::ERRORS);
        }
    EXPECT_EQ(lines, 1u);
}
