// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/DateFormatNameConversion.h"

#include <cctype>
#include <initializer_list>
#include <utility>

namespace orvane {

namespace {
using Assignment = std::pair<const char*, const char*>;

// Fills a map by a list of assignments; a later assignment to a key replaces
// an earlier one.
DateFormatNameConversion::NameMap fill(std::initializer_list<Assignment> assignments) {
    DateFormatNameConversion::NameMap m;
    for (const auto& [key, value] : assignments) m[key] = value;
    return m;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

const std::string* find(const DateFormatNameConversion::NameMap& map, const std::string& key) {
    auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
}
} // namespace

const DateFormatNameConversion::NameMap& DateFormatNameConversion::getKetraToNLDateMap() {
    static const NameMap map = fill({
        {"DATE", "NLDATE"},       {"MONNAME", "NLDATEMN"}, {"WEEKDATE", "NLDATEW"}, {"DOWNAME", "NLDATEWN"},
        {"DATETIME", "NLDATM"},   {"DATEAMPM", "NLDATMAP"}, {"TOD", "NLDATMTM"},    {"TIMEAMPM", "NLTIMAP"},
        {"TIME", "NLTIME"},       {"DATE", "NLDATEMD"},    {"DTDATE", "NLDATMMD"},  {"MONYY", "NLDATEYM"},
        {"DTMONYY", "NLDATMYM"},  {"YEAR", "YEAR"},        {"DTYEAR", "DTYEAR"},    {"YYQC", "YYQC"},
        {"DTYYQC", "DTYYQC"},     {"WEEKDATX", "NLDATE"},  {"DTWKDATX", "NLDATMW"},
    });
    return map;
}

const DateFormatNameConversion::NameMap& DateFormatNameConversion::getNLDateToKetraMap() {
    static const NameMap map = fill({
        {"NLDATE", "DATE"},        {"NLDATEMN", "MONNAME"}, {"NLDATEW", "WEEKDATE"}, {"NLDATEWN", "DOWNAME"},
        {"NLDATM", "DATETIME"},    {"NLDATMAP", "DATEAMPM"}, {"NLDATMTM", "TOD"},    {"NLDATMW", "DATETIME"},
        {"NLTIMAP", "TIMEAMPM"},   {"NLTIME", "TIME"},      {"NLDATEMD", "DATE"},    {"NLDATMMD", "DTDATE"},
        {"NLDATEYM", "MONYY"},     {"NLDATMYM", "DTMONYY"}, {"YEAR", "YEAR"},        {"NLDATEYR", "YEAR"},
        {"DTYEAR", "DTYEAR"},      {"YYQC", "YYQC"},        {"DTYYQC", "DTYYQC"},    {"NLDATMDT", "DTDATE"},
        {"NLDATE", "WEEKDATX"},    {"NLDATMW", "DTWKDATX"},
    });
    return map;
}

const DateFormatNameConversion::NameMap& DateFormatNameConversion::getKetraToEURDateMap() {
    static const NameMap map = fill({
        {"DDMMYY", "EURDFDD"},   {"DATE", "EURDFDE"},    {"WEEKDAY", "EURDFDN"},  {"DATETIME", "EURDFDT"},
        {"DOWNAME", "EURDFDWN"}, {"MONNAME", "EURDFMN"}, {"MONYY", "EURDFMY"},    {"WORDDATX", "EURDFWDX"},
        {"WEEKDATX", "EURDFWKX"}, {"DTMONYY", "EURDFDT"}, {"YEAR", "YEAR"},       {"DTYEAR", "DTYEAR"},
        {"YYQC", "YYQC"},        {"DTYYQC", "DTYYQC"},   {"DTDATE", "EURDFDT"},   {"DTWKDATX", "EURDFDT"},
        {"TIME", "TIME"},
    });
    return map;
}

const DateFormatNameConversion::NameMap& DateFormatNameConversion::getEURDateToKetraMap() {
    static const NameMap map = fill({
        {"EURDFDD", "DDMMYY"},   {"EURDFDE", "DATE"},    {"EURDFDN", "WEEKDAY"},   {"EURDFDT", "DATETIME"},
        {"EURDFDWN", "DOWNAME"}, {"EURDFMN", "MONNAME"}, {"EURDFMY", "MONYY"},     {"EURDFWDX", "WORDDATX"},
        {"EURDFWKX", "WEEKDATX"}, {"YEAR", "YEAR"},      {"DTYEAR", "DTYEAR"},     {"YYQC", "YYQC"},
        {"DTYYQC", "DTYYQC"},    {"TIME", "TIME"},
    });
    return map;
}

std::shared_ptr<std::string> DateFormatNameConversion::createExtractedFormatName(
    const std::shared_ptr<const std::string>& formatString) {
    auto result = std::make_shared<std::string>();
    if (!formatString) return result;
    const std::string& s = *formatString;
    size_t end = 0;
    while (end < s.size() && std::isalpha(static_cast<unsigned char>(s[end]))) ++end;
    result->assign(s, 0, end);  // the whole string when every character is a letter
    for (char& c : *result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::shared_ptr<DateFormatNameConversion> DateFormatNameConversion::create(
    const std::shared_ptr<const std::string>& formatString) {
    auto c = std::make_shared<DateFormatNameConversion>();
    c->formatName_ = createExtractedFormatName(formatString);
    return c;
}

std::shared_ptr<const std::string> DateFormatNameConversion::getEnglishFormatName() const {
    const std::string& name = *formatName_;
    if (startsWith(name, "NL")) {
        if (const std::string* base = find(getNLDateToKetraMap(), name)) return std::make_shared<const std::string>(*base);
    } else if (startsWith(name, "EUR")) {
        if (const std::string* base = find(getEURDateToKetraMap(), name)) return std::make_shared<const std::string>(*base);
    }
    return formatName_;
}

std::shared_ptr<const std::string> DateFormatNameConversion::getI18NFormatNameFromEnglishFormatName(
    const std::shared_ptr<const std::string>& englishName) const {
    if (!englishName) return std::make_shared<const std::string>();
    const std::string& name = *formatName_;
    const NameMap* table = nullptr;
    if (startsWith(name, "NL"))
        table = &getKetraToNLDateMap();
    else if (startsWith(name, "EUR"))
        table = &getKetraToEURDateMap();
    if (!table) return englishName;
    auto key = createExtractedFormatName(englishName);
    if (const std::string* mapped = find(*table, *key)) return std::make_shared<const std::string>(*mapped);
    return englishName;
}

} // namespace orvane
