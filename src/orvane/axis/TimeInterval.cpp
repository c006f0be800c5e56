// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/TimeInterval.h"

#include <cctype>

namespace orvane {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// Reads a run of digits at text[i]; false when the number is too long to be a
// sensible multiple or shift.
bool readNumber(const std::string& text, size_t& i, int& value, bool& present) {
    value = 0;
    present = false;
    size_t start = i;
    while (i < text.size() && isDigit(text[i])) {
        if (i - start >= 9) return false;
        value = value * 10 + (text[i] - '0');
        present = true;
        ++i;
    }
    return true;
}

constexpr std::array<bool, 7> kDefaultWeekend{true, false, false, false, false, false, true};
} // namespace

std::shared_ptr<TimeInterval> TimeInterval::create() { return std::make_shared<TimeInterval>(); }

std::shared_ptr<TimeInterval> TimeInterval::create(std::string_view intervalName) {
    auto t = std::make_shared<TimeInterval>();
    t->setFromName(intervalName);
    return t;
}

std::shared_ptr<TimeInterval> TimeInterval::clone() const { return std::make_shared<TimeInterval>(*this); }

int TimeInterval::weekendDayCount() const {
    int n = 0;
    for (bool b : weekendDays) n += b ? 1 : 0;
    return n;
}

bool TimeInterval::setFromName(std::string_view intervalName) {
    name = std::make_shared<const std::string>(intervalName);
    multiple = 1;
    shift = 0;
    weekendDays = {};
    std::string s;
    s.reserve(intervalName.size());
    for (char c : intervalName) s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    size_t i = 0;
    bool dateTime = false;
    if (s.size() > 2 && s[0] == 'D' && s[1] == 'T' && isAlpha(s[2])) {
        dateTime = true;
        i = 2;
    }
    size_t letters = i;
    while (letters < s.size() && isAlpha(s[letters])) ++letters;
    // A weekday name carries its weekend digits before a "W": the letters end
    // at the first digit, so "WEEKDAY17W" reads as WEEKDAY + "17W".
    intervalCode = IntervalConstants::getIntervalConstantForName(std::string_view(s).substr(i, letters - i));
    if (dateTime) valueKind = 1;
    if (intervalCode == IntervalConstants::WEEKDAY) weekendDays = kDefaultWeekend;

    size_t p = letters;
    int first = 0, m = 1, sh = 0;
    bool hasFirst = false, has = false, valid = true;
    std::array<bool, 7> weekend{};
    bool hasWeekend = false;
    valid = readNumber(s, p, first, hasFirst);
    if (valid && hasFirst && p < s.size() && s[p] == 'W' && intervalCode == IntervalConstants::WEEKDAY) {
        // The digits were weekend days; a multiple may follow.
        for (char d : s.substr(letters, p - letters)) {
            if (d < '1' || d > '7') valid = false;
            else weekend[static_cast<size_t>(d - '1')] = true;
        }
        hasWeekend = true;
        ++p;
        int mm = 0;
        if (valid) valid = readNumber(s, p, mm, has);
        m = has ? mm : 1;
    } else if (hasFirst) {
        m = first;
    }
    if (valid && p < s.size() && s[p] == '.') {
        ++p;
        valid = readNumber(s, p, sh, has);
    }
    if (valid && p != s.size()) valid = false;
    if (valid && hasWeekend && weekend == std::array<bool, 7>{true, true, true, true, true, true, true})
        valid = false;  // a week without working days has no weekday periods
    if (!valid) return false;
    multiple = m;
    shift = sh;
    if (hasWeekend) weekendDays = weekend;
    return intervalCode != IntervalConstants::NONE || std::string_view(s).substr(i, letters - i) == "NONE";
}

std::string TimeInterval::toString() const {
    std::string s;
    if (valueKind == 1 && intervalCode >= IntervalConstants::DAY) s = "DT";
    s += IntervalConstants::getNameForIntervalConstant(intervalCode);
    if (intervalCode == IntervalConstants::WEEKDAY && weekendDays != kDefaultWeekend) {
        std::string digits;
        for (size_t d = 0; d < 7; ++d)
            if (weekendDays[d]) digits += static_cast<char>('1' + d);
        if (!digits.empty()) s += digits + "W";
    }
    if (multiple > 1) s += std::to_string(multiple);
    if (shift > 1) s += "." + std::to_string(shift);
    return s;
}

} // namespace orvane
