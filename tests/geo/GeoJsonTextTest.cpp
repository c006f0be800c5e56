// SPDX-License-Identifier: Apache-2.0
// Escaping of the JSON texts the geo clients write by hand.
#include "orvane/geo/GeoJsonText.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <memory>
#include <string>
#include <vector>

using namespace orvane;

namespace {

// Parses "text" as a JSON string, requiring valid UTF-8.
bool parsesAs(const std::string& escaped, std::string& out) {
    std::string doc = "[\"" + escaped + "\"]";
    rapidjson::Document d;
    d.Parse<rapidjson::kParseValidateEncodingFlag>(doc.c_str(), doc.size());
    if (d.HasParseError()) return false;
    out.assign(d[0].GetString(), d[0].GetStringLength());
    return true;
}

} // namespace

TEST(GeoJsonText, EveryAsciiCharacterRoundTrips) {
    std::string all;
    for (int c = 0; c < 0x80; ++c) all += static_cast<char>(c);
    std::string escaped = GeoJsonText::escape(all);
    std::string back;
    ASSERT_TRUE(parsesAs(escaped, back)) << escaped;
    EXPECT_EQ(back, all);
    EXPECT_EQ(GeoJsonText::escape("a\"b\\c\nd\x01"), "a\\\"b\\\\c\\nd\\u0001");
    std::string quoted;
    GeoJsonText::appendQuoted(quoted, "x\"");
    EXPECT_EQ(quoted, "\"x\\\"\"");
}

TEST(GeoJsonText, InvalidUtf8BecomesReplacementCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"caf\xc3\xa9 \xf0\x9f\x97\xba", "caf\xc3\xa9 \xf0\x9f\x97\xba"},  // valid: kept
        {"\xff", "\xef\xbf\xbd"},                                          // stray byte
        {"\xc3", "\xef\xbf\xbd"},                                          // cut sequence
        {"\xc0\xaf", "\xef\xbf\xbd\xef\xbf\xbd"},                          // overlong
        {"\xed\xa0\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},          // surrogate
        {"\xf4\x90\x80\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},  // past U+10FFFF
        {"a\xe2\x82", "a\xef\xbf\xbd\xef\xbf\xbd"},
    };
    for (const auto& [input, expected] : cases) {
        std::string back;
        ASSERT_TRUE(parsesAs(GeoJsonText::escape(input), back));
        EXPECT_EQ(back, expected);
    }
}

TEST(GeoJsonText, MembersAndArraysOfModels) {
    std::string out = "{";
    GeoJsonText::appendMembers(out, {{"name", "a\"b"}, {"label", ""}});
    out += '}';
    EXPECT_EQ(out, "{\"name\":\"a\\\"b\",\"label\":\"\"}");
    out.clear();
    GeoJsonText::appendMembers(out, {{"a", "1"}, {"b", "2"}}, ", ", ": ");
    EXPECT_EQ(out, "\"a\": \"1\", \"b\": \"2\"");
    out.clear();
    GeoJsonText::appendMembers(out, {});
    EXPECT_EQ(out, "");

    // Null items are left out, commas only between the items written.
    struct Item {
        int n;
        void appendJSON(std::string& o) const { o += std::to_string(n); }
    };
    std::vector<std::unique_ptr<Item>> items;
    items.push_back(nullptr);
    items.push_back(std::make_unique<Item>(Item{1}));
    items.push_back(nullptr);
    items.push_back(std::make_unique<Item>(Item{2}));
    out.clear();
    GeoJsonText::appendArray(out, items);
    EXPECT_EQ(out, "[1,2]");
    out.clear();
    GeoJsonText::appendArray(out, std::vector<std::unique_ptr<Item>>(2));
    EXPECT_EQ(out, "[]");
}
