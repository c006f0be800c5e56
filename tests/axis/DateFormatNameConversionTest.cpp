// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/DateFormatNameConversion.h"
#include "orvane/axis/ZxAxis.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {
std::shared_ptr<const std::string> s(const char* text) { return std::make_shared<const std::string>(text); }
std::string english(const char* format) { return *DateFormatNameConversion::create(s(format))->getEnglishFormatName(); }
std::string localized(const char* format, const char* base) {
    return *DateFormatNameConversion::create(s(format))->getI18NFormatNameFromEnglishFormatName(s(base));
}
} // namespace

TEST(DateFormatNameConversion, TablesHoldTheirEffectiveContents) {
    const auto& toNL = DateFormatNameConversion::getKetraToNLDateMap();
    const auto& fromNL = DateFormatNameConversion::getNLDateToKetraMap();
    const auto& toEUR = DateFormatNameConversion::getKetraToEURDateMap();
    const auto& fromEUR = DateFormatNameConversion::getEURDateToKetraMap();
    EXPECT_EQ(toNL.size(), 18u);
    EXPECT_EQ(fromNL.size(), 20u);
    EXPECT_EQ(toEUR.size(), 17u);
    EXPECT_EQ(fromEUR.size(), 14u);
    // Later assignments to the same key win.
    EXPECT_EQ(toNL.at("DATE"), "NLDATEMD");
    EXPECT_EQ(fromNL.at("NLDATE"), "WEEKDATX");
    EXPECT_EQ(fromNL.at("NLDATMW"), "DTWKDATX");
    // Every base name of the NL table comes back from its NL name.
    for (const auto& [base, nl] : toNL) {
        ASSERT_TRUE(fromNL.count(nl)) << nl;
        EXPECT_EQ(fromNL.at(nl), base) << nl;
    }
    // EURDFDT stands for several base names but maps back to DATETIME only.
    for (const char* base : {"DATETIME", "DTMONYY", "DTDATE", "DTWKDATX"}) EXPECT_EQ(toEUR.at(base), "EURDFDT");
    EXPECT_EQ(fromEUR.at("EURDFDT"), "DATETIME");
    for (const auto& [eur, base] : fromEUR) EXPECT_EQ(toEUR.at(base), eur) << base;
    // TIME stays TIME among the European names but is NLTIME among the NL ones.
    EXPECT_EQ(toEUR.at("TIME"), "TIME");
    EXPECT_EQ(toNL.at("TIME"), "NLTIME");
    EXPECT_EQ(fromNL.at("NLDATEYR"), "YEAR");
    EXPECT_EQ(fromNL.at("NLDATMDT"), "DTDATE");
}

TEST(DateFormatNameConversion, ExtractsTheNamePartUpperCased) {
    auto x = [](const char* t) { return *DateFormatNameConversion::createExtractedFormatName(s(t)); };
    EXPECT_EQ(x("monyy7."), "MONYY");
    EXPECT_EQ(x("DTDATE9"), "DTDATE");
    EXPECT_EQ(x("NLDATE"), "NLDATE");
    EXPECT_EQ(x("nldate"), "NLDATE");
    EXPECT_EQ(x("9abc"), "");
    EXPECT_EQ(x(""), "");
    EXPECT_EQ(x("date9.2x"), "DATE");
    EXPECT_EQ(*DateFormatNameConversion::createExtractedFormatName(nullptr), "");
    EXPECT_EQ(*DateFormatNameConversion::create(s("nldatew20."))->getFormatName(), "NLDATEW");
    EXPECT_EQ(*DateFormatNameConversion::create(nullptr)->getFormatName(), "");
}

TEST(DateFormatNameConversion, FindsTheBaseName) {
    EXPECT_EQ(english("nldatew20."), "WEEKDATE");
    EXPECT_EQ(english("EURDFDT"), "DATETIME");
    EXPECT_EQ(english("DATE9."), "DATE");
    EXPECT_EQ(english("NLDATEYM"), "MONYY");
    EXPECT_EQ(english("EURDFMY7."), "MONYY");
    // Unknown names of a family and names without a family stay as stored.
    EXPECT_EQ(english("NLNUM12.2"), "NLNUM");
    EXPECT_EQ(english("EURX"), "EURX");
    EXPECT_EQ(english("9abc"), "");
    EXPECT_EQ(ZxAxis::englishFormatNameForFormatName("NLDATEMD9."), "DATE");
    EXPECT_EQ(ZxAxis::englishFormatNameForFormatName("eurdfwkx"), "WEEKDATX");
}

TEST(DateFormatNameConversion, ExpressesBaseNamesInTheStoredFamily) {
    EXPECT_EQ(localized("NLDATE", "date9."), "NLDATEMD");
    EXPECT_EQ(localized("NLDATE", "julian5."), "julian5.");  // unchanged argument, not the key
    EXPECT_EQ(localized("EURDFDE", "DTDATE"), "EURDFDT");
    EXPECT_EQ(localized("NLTIME8.", "TIME"), "NLTIME");
    EXPECT_EQ(localized("EURDFDE9.", "TIME"), "TIME");
    EXPECT_EQ(localized("DATE9.", "MONYY7."), "MONYY7.");  // no family
    EXPECT_EQ(localized("9abc", "DATE"), "DATE");
    auto c = DateFormatNameConversion::create(s("NLDATE"));
    EXPECT_EQ(*c->getI18NFormatNameFromEnglishFormatName(nullptr), "");
}
