// SPDX-License-Identifier: Apache-2.0
// Texts written back by the expression, style-sheet and format-name writers
// read to what was written: time literals of any sign, fraction and size,
// quotes and comments in style sheets, out-of-range numbers, compact names.
#include "orvane/host/data/DataValue.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/host/format/FormatterFactory.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/style/CSSParser.h"
#include "orvane/host/style/Style.h"

#include <gtest/gtest.h>

#include <limits>

using namespace orvane;
using B = ExpressionBuilder;

namespace {

// parse -> text -> parse gives an equal expression and the same text.
void expectExpressionRoundTrip(const std::string& text) {
    std::string error;
    auto first = Expression::parse(text, &error);
    ASSERT_TRUE(first) << text << ": " << error;
    std::string written = first->toString();
    auto second = Expression::parse(written, &error);
    ASSERT_TRUE(second) << text << " -> " << written << ": " << error;
    EXPECT_TRUE(second->equals(*first)) << text << " -> " << written << " -> " << second->toString();
    EXPECT_EQ(second->toString(), written);
}

// A sheet, written and read again, writes the same text.
std::string expectSheetRoundTrip(const std::string& text) {
    std::string error;
    auto style = CSSParser::parseStyle(text, &error);
    if (!style) return "";
    std::string css = CSSParser::toCss(*style);
    auto again = CSSParser::parseStyle(css, &error);
    EXPECT_TRUE(again) << css << ": " << error;
    if (again) {
        EXPECT_EQ(CSSParser::toCss(*again), css) << text;
    }
    return css;
}

} // namespace

TEST(ExpressionLiterals, TimesOfAnySignFractionAndSizeReadBack) {
    for (const char* text : {"\"x\" = \"-01:00\"t", "\"x\" = \"10:30:00.5\"t", "\"x\" = \"1000000:00\"t",
                             "\"x\" = \"-0:00:00.000000001\"t", "\"x\" = \"999999999:59:59\"t"})
        expectExpressionRoundTrip(text);
    // Values no clock text carries exactly.
    for (double seconds : {0.1, -1e-12, 1e300, -3.6e15 + 0.5, std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::denorm_min()}) {
        auto e = B::eq(B::var("x"), B::const_(DataValue::createTime(seconds)));
        std::string error;
        auto back = Expression::parse(e->toString(), &error);
        ASSERT_TRUE(back) << e->toString() << ": " << error;
        EXPECT_TRUE(back->equals(*e)) << e->toString() << " -> " << back->toString();
    }
    // Negative times are written as clock text, not as seconds.
    EXPECT_EQ(Expression::parse("\"x\" = \"-01:00\"t")->toString(), "\"x\" = \"-1:00:00\"t");
    EXPECT_EQ(Expression::parse("\"x\" = \"10:30:00.5\"t")->toString(), "\"x\" = \"10:30:00.5\"t");
}

TEST(ExpressionLiterals, DatesAndDateTimesBeyondTheCalendarTextReadBack) {
    for (double v : {1e7, -1e9, 14670.25, 1e300}) {
        for (auto value : {DataValue::createDate(v), DataValue::createDateTime(v * 86400.0 + 0.5)}) {
            auto e = B::eq(B::var("d"), B::const_(value));
            std::string error;
            auto back = Expression::parse(e->toString(), &error);
            ASSERT_TRUE(back) << e->toString() << ": " << error;
            EXPECT_TRUE(back->equals(*e)) << e->toString() << " -> " << back->toString();
        }
    }
}

TEST(StyleSheetText, UnmatchedQuotesEndWithTheirLineAndClassNamesAreEscaped) {
    // A quote without its match hides the rest of its line, comment openers included.
    std::string error;
    EXPECT_FALSE(CSSParser::parseStyle("'{}./*{}", &error));
    // On the next line the quote has ended: the rule it spoils is dropped,
    // the rules after it read.
    auto style = CSSParser::parseStyle("'{}\n.b { 1: 1 }\n.a { 53: 1 }", &error);
    ASSERT_TRUE(style) << error;
    EXPECT_TRUE(style->getAttributeBundle(std::string("a")));
    EXPECT_FALSE(style->getAttributeBundle(std::string("b")));

    // Class names with characters selectors cannot hold are written escaped.
    auto odd = Style::create();
    for (std::string name : {"/*", "a b", "x{y}", "q'\"", "semi;colon", "back\\slash", "new\nline", "dot.name",
                             "caf\xc3\xa9", "#7", ",", "\\"}) {
        auto b = AttributeBundle::create();
        b->setInt(53, 1);
        odd->setClassBundle(name, b);
    }
    std::string css = CSSParser::toCss(*odd);
    auto back = CSSParser::parseStyle(css, &error);
    ASSERT_TRUE(back) << css << ": " << error;
    EXPECT_EQ(back->classes().size(), odd->classes().size()) << css;
    for (const auto& [name, b] : odd->classes()) EXPECT_TRUE(back->getClassBundle(name)) << name << "\n" << css;
    EXPECT_EQ(CSSParser::toCss(*back), css);

    // Strings with newlines and escapes read back as themselves.
    auto strings = AttributeBundle::create();
    const std::string awkward("line one\nline two\ttab \\ \"q\" ' nul \0 end", 39);
    strings->setString(106, awkward);
    auto stringsBack = CSSParser::parse(CSSParser::toCss(*strings));
    EXPECT_EQ(stringsBack->getStringValue(106, ""), awkward);

    for (const char* text : {"'{}./*{}", ".a\\'{}", "\"x\n.b{53:1}", ".c{106:'a\\\nb'}", ".\\2f \\2a {53:2}",
                             ".d{106: \"unterminated\n}", "/*'*/.e{53:3}"})
        expectSheetRoundTrip(text);
}

TEST(StyleSheetText, NumbersBeyondTheFloatRangeAreRefused) {
    std::string error;
    auto b = CSSParser::parse("8:8e78; 9: 1.5", &error);
    EXPECT_FALSE(b->find(8)) << CSSParser::toCss(*b);
    EXPECT_NE(error.find("out of range"), std::string::npos) << error;
    EXPECT_TRUE(b->find(9));
    // The largest float, as it is written, is still a float.
    auto big = AttributeBundle::create();
    big->setFloat(41, std::numeric_limits<float>::max());
    auto bigBack = CSSParser::parse(CSSParser::toCss(*big), &error);
    ASSERT_TRUE(bigBack->find(41)) << error;
    EXPECT_TRUE(std::holds_alternative<float>(*bigBack->find(41)));
    EXPECT_EQ(bigBack->getFloat(41, 0.0f), std::numeric_limits<float>::max());
}

TEST(FormatNames, FullNamesRebuildTheSameFormatter) {
    for (const char* name : {"CMPF.0", "CMPF8.0", "CMPCOMMA10.0", "CMPF.2", "CMPDOLLAR.", "CMPF.0x1000", "F8.",
                             "DATE9.", "BEST.", "$10.", "PERCENT8.2", "CMPNLNUM.0"}) {
        auto f = FormatterFactory::tryGetFormatter(name);
        ASSERT_TRUE(f) << name;
        auto again = FormatterFactory::tryGetFormatter(f->getFullName());
        ASSERT_TRUE(again) << name << " -> " << f->getFullName();
        EXPECT_EQ(again->getFullName(), f->getFullName());
        EXPECT_EQ(again->getDecimals(), f->getDecimals()) << name << " -> " << f->getFullName();
        EXPECT_EQ(again->getWidth(), f->getWidth()) << name;
        for (double v : {0.0, 1234.5, -98765432.1, 0.015})
            EXPECT_EQ(again->format(v), f->format(v)) << name << " " << v;
    }
    // A scale a double cannot hold exactly is not a format name.
    EXPECT_FALSE(FormatterFactory::tryGetFormatter("CMPF.1x18446744073709551615"));
}

TEST(FormatNames, KnownNamesAreTheNamesTheFactoryBuilds) {
    for (const char* bare : {"CMPNLNUM", "CMPNLMNY", "CMPNLPCTN", "CMPCOMMA_", "CMPF", "NLNUM", "DATE", "COMMA"}) {
        EXPECT_TRUE(FormatterFactory::tryGetFormatter(std::string(bare) + ".")) << bare;
        EXPECT_TRUE(Formatter::isKnownName(bare)) << bare;
    }
    for (const char* bare : {"CMPDATE", "NOPE", "", "CMP", "cmpf"})
        EXPECT_EQ(Formatter::isKnownName(bare), FormatterFactory::tryGetFormatter(std::string(bare) + ".") != nullptr)
            << bare;
}

TEST(FormatNames, TheFactoryKeepsABoundedNumberOfNames) {
    FormatterFactory::clearCache();
    const size_t capacity = FormatterFactory::cacheCapacity();
    for (size_t i = 0; i < capacity * 4; ++i) {
        FormatterFactory::getFormatter("UNKNOWN" + std::to_string(i) + "X.");
        FormatterFactory::tryGetFormatter("F" + std::to_string(i % 32 + 1) + "." + std::to_string(i % 9));
    }
    EXPECT_LE(FormatterFactory::cacheSize(), capacity);
    // Kept formatters are still shared while they are kept.
    auto a = FormatterFactory::getFormatter("COMMA12.2");
    EXPECT_EQ(FormatterFactory::getFormatter("COMMA12.2"), a);
    EXPECT_EQ(a->format(1234.5), FormatterFactory::getFormatter("COMMA12.2")->format(1234.5));
}
