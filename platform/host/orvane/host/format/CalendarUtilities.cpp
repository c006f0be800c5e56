// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/format/CalendarUtilities.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<std::string_view, 12> kMonths{"January", "February", "March",     "April",   "May",      "June",
                                                   "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 12> kMonthAbbr{"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr std::array<std::string_view, 7> kWeekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                    "Thursday", "Friday", "Saturday"};

// Days since 1970-01-01 to civil date and back (proleptic Gregorian, any range
// that fits in 64 bits).
CalendarUtilities::Civil civil1970(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

int64_t days1970(int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}
} // namespace

CalendarUtilities::Civil CalendarUtilities::civilFromDays(int64_t dayNumber) {
    return civil1970(dayNumber - UNIX_EPOCH_DAY);
}

int64_t CalendarUtilities::daysFromCivil(int64_t year, int month, int day) {
    return days1970(year, month, day) + UNIX_EPOCH_DAY;
}

int CalendarUtilities::weekday(int64_t dayNumber) {
    int64_t w = (dayNumber + 5) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

int CalendarUtilities::dayOfYear(int64_t dayNumber) {
    Civil c = civilFromDays(dayNumber);
    return static_cast<int>(dayNumber - daysFromCivil(c.year, 1, 1)) + 1;
}

bool CalendarUtilities::isLeapYear(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int CalendarUtilities::daysInMonth(int64_t year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
}

std::string_view CalendarUtilities::monthName(int month) {
    return month >= 1 && month <= 12 ? kMonths[static_cast<size_t>(month - 1)] : std::string_view();
}

std::string_view CalendarUtilities::monthAbbreviation(int month) {
    return month >= 1 && month <= 12 ? kMonthAbbr[static_cast<size_t>(month - 1)] : std::string_view();
}

std::string_view CalendarUtilities::weekdayName(int wd) {
    return wd >= 0 && wd <= 6 ? kWeekdays[static_cast<size_t>(wd)] : std::string_view();
}

int CalendarUtilities::monthFromName(std::string_view text) {
    auto eq = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    };
    for (int m = 1; m <= 12; ++m) {
        if (eq(text, kMonthAbbr[static_cast<size_t>(m - 1)]) || eq(text, kMonths[static_cast<size_t>(m - 1)])) return m;
    }
    return 0;
}

} // namespace orvane
