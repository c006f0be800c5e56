// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/style/CSSParser.h"
#include "orvane/host/style/ColorUtilities.h"
#include "orvane/host/data/DataGridDisplayRules.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/data/RelationalDataRuleContext.h"
#include "orvane/host/data/RuleDisplayIndicatorType.h"
#include "orvane/host/style/Style.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/host/style/StyleChain.h"

#include <gtest/gtest.h>

#include <limits>

using namespace orvane;
namespace SA = StyleAttribute;

TEST(ColorUtilities, ParsesWritesAndMapsRamps) {
    uint32_t c = 0;
    EXPECT_TRUE(ColorUtilities::parseColor("#ff8000", c));
    EXPECT_EQ(c, 0xff8000u);
    EXPECT_TRUE(ColorUtilities::parseColor("#F80", c));
    EXPECT_EQ(c, 0xff8800u);
    EXPECT_TRUE(ColorUtilities::parseColor("rgb(255, 0, 10)", c));
    EXPECT_EQ(c, 0xff000au);
    EXPECT_TRUE(ColorUtilities::parseColor("rgba(0,0,255,0.5)", c));
    EXPECT_EQ(c, 0x800000ffu);  // high byte: transparency
    EXPECT_TRUE(ColorUtilities::parseColor("#0000ff80", c));
    EXPECT_EQ(c, 0x7f0000ffu);
    EXPECT_TRUE(ColorUtilities::parseColor("Navy", c));
    EXPECT_EQ(c, 0x000080u);
    EXPECT_TRUE(ColorUtilities::parseColor("none", c));
    EXPECT_EQ(c, ColorUtilities::NONE);
    EXPECT_FALSE(ColorUtilities::parseColor("#12345", c));
    EXPECT_FALSE(ColorUtilities::parseColor("rgb(1,2)", c));
    EXPECT_FALSE(ColorUtilities::parseColor("blurple", c));
    for (uint32_t v : {0x000000u, 0xd4d4d4u, 0x800000ffu, ColorUtilities::NONE}) {
        ASSERT_TRUE(ColorUtilities::parseColor(ColorUtilities::toCssString(v), c));
        EXPECT_EQ(c, v);
    }

    std::vector<uint32_t> ramp{0x000000, 0xff0000, 0xffffff};
    EXPECT_EQ(ColorUtilities::mapValueToColor(0, 10, 0, ramp), 0x000000u);
    EXPECT_EQ(ColorUtilities::mapValueToColor(0, 10, 5, ramp), 0xff0000u);
    EXPECT_EQ(ColorUtilities::mapValueToColor(0, 10, 2.5, ramp), 0x800000u);
    EXPECT_EQ(ColorUtilities::mapValueToColor(0, 10, 7.5, ramp), 0xff8080u);
    EXPECT_EQ(ColorUtilities::mapValueToColor(0, 10, 99, ramp), 0xffffffu);   // clamped
    EXPECT_EQ(ColorUtilities::mapValueToColor(0, 10, -99, ramp), 0x000000u);
    EXPECT_EQ(ColorUtilities::mapValueToColor(4, 4, 9, ramp), 0x000000u);    // min == max: first stop
    EXPECT_EQ(ColorUtilities::mapValueToColor(0, 10, std::numeric_limits<double>::quiet_NaN(), ramp),
              ColorUtilities::NONE);
    EXPECT_EQ(ColorUtilities::mapValueToColor(0, 10, 5, {}), ColorUtilities::NONE);
}

TEST(CSSParser, DeclarationsSetTheProjectsAttributeNumbers) {
    std::string error;
    auto b = CSSParser::parse("{ color: red; background-color: #00ff00; font-family: 'Open Sans', Arial;"
                              " font-size: 9pt; font-weight: bold; font-style: italic; text-decoration: underline;"
                              " text-align: center; opacity: 0.25 }",
                              &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(b->getColor(SA::TEXT_COLOR, 0), 0xff0000u);
    EXPECT_EQ(b->getColor(SA::BACKGROUND_COLOR, 0), 0x00ff00u);
    EXPECT_EQ(b->getStringValue(SA::FONT_FAMILY, ""), "Open Sans");
    ASSERT_TRUE(b->getDimension(SA::FONT_SIZE));
    EXPECT_FLOAT_EQ(b->getDimension(SA::FONT_SIZE)->getScalarValueForUnit(DimensionUnit::PIXELS), 12.0f);
    EXPECT_EQ(b->getInt(SA::FONT_BOLD, 0), 1);    // 34
    EXPECT_EQ(b->getInt(SA::FONT_ITALIC, 0), 1);  // 33
    EXPECT_EQ(b->getInt(SA::UNDERLINE, 0), 1);
    EXPECT_EQ(b->getInt(SA::TEXT_ALIGN, -1), 1);
    EXPECT_FLOAT_EQ(b->getFloat(SA::TRANSPARENCY, 0), 0.75f);

    // Bold alone never sets italic, a fill never the text colour.
    auto bold = CSSParser::parse("font-weight: 700; background: navy");
    EXPECT_FALSE(bold->hasAttribute(SA::FONT_ITALIC));
    EXPECT_FALSE(bold->hasAttribute(SA::TEXT_COLOR));
    EXPECT_EQ(bold->getInt(34, 0), 1);

    // Attributes by number, typed by their form.
    auto n = CSSParser::parse("106: \"High; very\"; 8: #123456; 31: 14px; 53: 1; 11: 2u; 41: 0.5; 23: CONCISE");
    EXPECT_EQ(n->getStringValue(106, ""), "High; very");
    EXPECT_EQ(n->getColor(8, 0), 0x123456u);
    EXPECT_TRUE(std::holds_alternative<std::shared_ptr<Dimension>>(*n->find(31)));
    EXPECT_TRUE(std::holds_alternative<int>(*n->find(53)));
    EXPECT_TRUE(std::holds_alternative<unsigned int>(*n->find(11)));
    EXPECT_TRUE(std::holds_alternative<float>(*n->find(41)));
    EXPECT_EQ(n->getStringValue(23, ""), "CONCISE");

    // Bad declarations are reported and skipped; the good ones still apply.
    auto partial = CSSParser::parse("color: #zz; font-weight: heavy; nonsense; colour: red; font-style: italic", &error);
    EXPECT_FALSE(partial->hasAttribute(SA::TEXT_COLOR));
    EXPECT_EQ(partial->getInt(SA::FONT_ITALIC, 0), 1);
    EXPECT_NE(error.find("color: #zz"), std::string::npos);
    EXPECT_NE(error.find("heavy"), std::string::npos);
    EXPECT_NE(error.find("unknown property"), std::string::npos);
    EXPECT_EQ(CSSParser::attributeIdForProperty("font-weight"), 34);
    EXPECT_EQ(CSSParser::attributeIdForProperty("color"), 19);
    EXPECT_EQ(CSSParser::attributeIdForProperty("margin"), -1);
}

TEST(CSSParser, StyleSheetsRoundTripAndFeedChains) {
    std::string error;
    auto style = CSSParser::parseStyle("/* table */ .header, .total { font-weight: bold; color: #333333 }\n"
                                       "#115 { 38: #202020; 39: 2px }\n"
                                       ".total { background-color: #eeeeee }\n"
                                       "7 { 8: #ffffff }",
                                       &error);
    ASSERT_TRUE(style) << error;
    EXPECT_EQ(error, "");
    auto header = style->getAttributeBundle(std::string(".header"));
    ASSERT_TRUE(header);
    EXPECT_EQ(style->getAttributeBundle(std::string("header")), header);
    EXPECT_EQ(style->getAttributeBundle(115)->getColor(38, 0), 0x202020u);
    EXPECT_EQ(style->getAttributeBundle(7)->getColor(8, 0), 0xffffffu);
    auto total = style->getAttributeBundle(std::string("total"));
    EXPECT_EQ(total->getColor(SA::BACKGROUND_COLOR, 0), 0xeeeeeeu);  // two rules merged
    EXPECT_EQ(total->getInt(SA::FONT_BOLD, 0), 1);
    EXPECT_FALSE(style->getAttributeBundle(std::string("missing")));

    // The text written back reads to the same attributes, types included.
    std::string css = CSSParser::toCss(*style);
    auto again = CSSParser::parseStyle(css, &error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(CSSParser::toCss(*again), css);
    auto odd = AttributeBundle::create();
    odd->setUnsigned(SA::TEXT_COLOR, 5);  // a colour id holding a plain number stays a number
    odd->setFloat(58, 0.5f);
    odd->setString(106, "say \"hi\"");
    odd->setInt(SA::FONT_BOLD, 2);
    auto oddBack = CSSParser::parse(CSSParser::toCss(*odd));
    EXPECT_EQ(oddBack->values().size(), 4u);
    EXPECT_TRUE(std::holds_alternative<unsigned int>(*oddBack->find(SA::TEXT_COLOR)));
    EXPECT_EQ(oddBack->getStringValue(106, ""), "say \"hi\"");
    EXPECT_EQ(oddBack->getInt(SA::FONT_BOLD, 0), 2);

    EXPECT_FALSE(CSSParser::parseStyle(".a { color: red", &error));
    EXPECT_NE(error.find("unclosed"), std::string::npos);
    auto unknown = CSSParser::parseStyle("div { color: red } .ok { color: blue }", &error);
    ASSERT_TRUE(unknown);
    EXPECT_NE(error.find("unknown selector"), std::string::npos);
    EXPECT_TRUE(unknown->getAttributeBundle(std::string("ok")));

    // The first element of the chain that has an attribute wins.
    auto chain = StyleChain::create(style, {115, 7});
    EXPECT_EQ(chain->getColor(8, 0), 0xffffffu);
    EXPECT_EQ(chain->getColor(38, 0), 0x202020u);
    chain->prepend(CSSParser::parse("8: #000001"));
    EXPECT_EQ(chain->getColor(8, 0), 0x000001u);

    // Model documents carry styles as this text.
    ASSERT_TRUE(PropertyTextCodec::hasObjectCodec(Style::WRAPPER_TYPE_ID));
    auto obj = PropertyTextCodec::objectFromText(Style::WRAPPER_TYPE_ID, ".x { color: red }", error);
    auto asStyle = std::dynamic_pointer_cast<Style>(obj);
    ASSERT_TRUE(asStyle);
    std::string text;
    EXPECT_TRUE(PropertyTextCodec::objectToText(Style::WRAPPER_TYPE_ID, *asStyle, text));
    EXPECT_EQ(text, ".x { color: #ff0000 }\n");
}

namespace {
// Rows: amount 5, 50, 500, missing; region East, West, East, North.
std::shared_ptr<DataSet> cells() {
    auto ds = DataSet::create("cells");
    ds->addColumn(Column::createCharacter("region", {"East", "West", "East", "North"}));
    ds->addColumn(Column::createNumeric("amount", {5, 50, 500, std::numeric_limits<double>::quiet_NaN()}));
    return ds;
}

std::shared_ptr<Rule> trafficLight() {
    auto rule = Rule::create();
    EXPECT_TRUE(rule->addCondition("value >= 100", CSSParser::parse("background-color: #00ff00; font-weight: bold")));
    EXPECT_TRUE(rule->addCondition("value >= 10 and region = \"West\"",
                                   CSSParser::parse("color: #ff8000; font-style: italic; font-size: 20px")));
    EXPECT_TRUE(rule->addCondition("value is missing", CSSParser::parse("106: \"No data\"; 107: \"n/a\"")));
    return rule;
}

// A derived callback that maps grid columns to data columns and marks a total
// cell, as tables and crosstabs do.
struct CrossRules : DataGridDisplayRules {
    CrossRules() : DataGridDisplayRules("_test") {}
    std::vector<std::string> calls;
    void configureRuleContext(RelationalDataRuleContext& context, int row, int column) override {
        DataGridDisplayRules::configureRuleContext(context, row, column);
        calls.push_back("configure " + std::to_string(context.getRow()) + "," + std::to_string(context.getColumn()));
        context.setTotalCell(row == 0);
        context.setRowLevels({{"Region", "Region"}});
    }
};
} // namespace

TEST(DisplayRules, ConditionsFillTheCellRecord) {
    DataGridDisplayRules rules("_dataGridCallback");
    rules.setDataSet(cells());
    rules.setDisplayRule(1, trafficLight());

    DataGridCellInfoStruct big;
    rules.DisplayRuleCallback(1, 2, &big);  // 500: fill and bold, nothing else
    EXPECT_EQ(big.fillColor, 0x00ff00u);
    EXPECT_TRUE(big.bold);
    EXPECT_FALSE(big.italic);
    EXPECT_EQ(big.textColor, 0xffffffffu);
    EXPECT_EQ(big.fontSize, 0.0f);

    DataGridCellInfoStruct west;
    west.fontFamily = "Arial";
    rules.DisplayRuleCallback(1, 1, &west);  // 50 in the West: text colour, italic, 20px
    EXPECT_EQ(west.textColor, 0xff8000u);
    EXPECT_EQ(west.fillColor, 0xffffffffu);  // a text colour never fills
    EXPECT_TRUE(west.italic);
    EXPECT_FALSE(west.bold);
    EXPECT_EQ(west.fontFamily, "Arial");  // untouched
    EXPECT_FLOAT_EQ(west.fontSize, 20.0f);
    rules.setReducedSizeMode(true);
    rules.DisplayRuleCallback(1, 1, &west);
    EXPECT_FLOAT_EQ(west.fontSize, 15.0f);

    DataGridCellInfoStruct small;
    rules.DisplayRuleCallback(1, 0, &small);  // 5: no condition holds
    EXPECT_EQ(small.fillColor, 0xffffffffu);
    rules.DisplayRuleCallback(0, 0, &small);  // no rule on the column
    rules.DisplayRuleCallback(1, 99, &small);  // outside the data
    rules.DisplayRuleCallback(1, 0, nullptr);
    EXPECT_EQ(small.fillColor, 0xffffffffu);

    auto missing = rules.applyRule(rules.getDisplayRule(1), 1, 3);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->getStringValue(SA::RULE_LABEL, ""), "No data");
    EXPECT_EQ(RuleDisplayIndicatorType::fromAttributeBundle(missing.get()), RuleDisplayIndicatorType::NONE);
    EXPECT_EQ(RuleDisplayIndicatorType::fromAttributeBundle(rules.applyRule(rules.getDisplayRule(1), 1, 2).get()),
              RuleDisplayIndicatorType::SWATCH);
    EXPECT_EQ(RuleDisplayIndicatorType::fromAttributeBundle(CSSParser::parse("color: red").get()),
              RuleDisplayIndicatorType::SAMPLE_TEXT);
    EXPECT_EQ(RuleDisplayIndicatorType::fromAttributeBundle(CSSParser::parse("109: \"flag\"").get()),
              RuleDisplayIndicatorType::ICON);
    EXPECT_EQ(RuleDisplayIndicatorType::fromAttributeBundle(CSSParser::parse("108: 2; color: red").get()),
              RuleDisplayIndicatorType::SWATCH);
    EXPECT_EQ(RuleDisplayIndicatorType::getValueFromString("SWATCH"), RuleDisplayIndicatorType::SWATCH);
    EXPECT_FALSE(rules.applyRule(nullptr, 1, 1));

    CLogCapture log;
    EXPECT_FALSE(Rule::create()->addCondition("value >>> 3", nullptr));
    EXPECT_TRUE(log.contains("value >>> 3"));
}

TEST(DisplayRules, ContextScopesAllMatchesAndTheDerivedHook) {
    auto rule = Rule::create();
    rule->addCondition({Expression::parse("value > 0"), CSSParser::parse("8: #111111"), {}, Rule::TotalScope::TOTALS_ONLY});
    rule->addCondition({Expression::parse("value > 0"), CSSParser::parse("8: #222222"), {"Product"}, Rule::TotalScope::ANY});
    rule->addCondition({Expression::parse("value > 0"), CSSParser::parse("19: #333333"), {"Region"}, Rule::TotalScope::EXCEPT_TOTALS});
    rule->addCondition({nullptr, CSSParser::parse("34: 1"), {}, Rule::TotalScope::ANY});

    CrossRules rules;
    rules.setDataSet(cells());
    rules.setDisplayRule(1, rule);
    DataGridCellInfoStruct total, other;
    rules.DisplayRuleCallback(1, 0, &total);
    EXPECT_EQ(total.fillColor, 0x111111u);  // the total-only condition
    EXPECT_FALSE(total.bold);               // first match only
    rules.DisplayRuleCallback(1, 1, &other);
    EXPECT_EQ(other.textColor, 0x333333u);  // Region is a level of the cell; Product is not
    EXPECT_EQ(other.fillColor, 0xffffffffu);
    EXPECT_EQ(rules.calls, (std::vector<std::string>{"configure 0,1", "configure 1,1"}));

    rule->setAllMatches(true);
    DataGridCellInfoStruct merged;
    rules.DisplayRuleCallback(1, 1, &merged);
    EXPECT_EQ(merged.textColor, 0x333333u);
    EXPECT_TRUE(merged.bold);  // every holding condition applies, in order

    // Plain tables have no levels: level-scoped conditions never apply there.
    DataGridDisplayRules plain;
    plain.setDataSet(cells());
    plain.setDisplayRule(1, rule);
    DataGridCellInfoStruct p;
    plain.DisplayRuleCallback(1, 1, &p);
    EXPECT_EQ(p.textColor, 0xffffffffu);
    EXPECT_TRUE(p.bold);
}

TEST(DisplayRules, ConditionsMayReadOtherColumnsAndDates) {
    auto ds = cells();
    ds->addColumn(Column::createNumeric("shipped", {14670, 14000, 15000, 14670}, "DATE9."));
    auto rule = Rule::create();
    ASSERT_TRUE(rule->addCondition("shipped >= \"01MAR2000\"d and value > 10", CSSParser::parse("8: #abcdef")));
    std::vector<int> styled;
    for (int row = 0; row < 4; ++row)
        if (auto b = rule->evaluate(*ds, 1, row)) styled.push_back(row);
    EXPECT_EQ(styled, (std::vector<int>{2}));  // row 0 is not above 10, row 1 shipped early, row 3 has no value
    EXPECT_FALSE(rule->evaluate(*ds, 7, 0));    // no such column
    EXPECT_EQ(ColorUtilities::interpolate(0x00000000u, 0xff0000ffu, 0.5), 0x80000080u);  // transparency too
}
