// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cstdint>
#include <string_view>

namespace orvane {

/// Calendar arithmetic on the host's time scale: dates are day numbers and
/// date-times second numbers counted from 1 January 1960 (day 0, second 0).
/// The proleptic Gregorian calendar is used for every day number, so negative
/// and far-future values convert without special cases.
class ORVANE_HOST_EXPORT CalendarUtilities {
public:
    struct Civil {
        int64_t year;
        int month;  ///< 1..12
        int day;    ///< 1..31
    };

    static constexpr int64_t SECONDS_PER_DAY = 86400;
    /// Day number of 1 January 1970 (the Unix epoch).
    static constexpr int64_t UNIX_EPOCH_DAY = 3653;

    static Civil civilFromDays(int64_t dayNumber);
    static int64_t daysFromCivil(int64_t year, int month, int day);
    /// 0 = Sunday ... 6 = Saturday (day 0 is a Friday).
    static int weekday(int64_t dayNumber);
    /// 1..366
    static int dayOfYear(int64_t dayNumber);
    static bool isLeapYear(int64_t year);
    static int daysInMonth(int64_t year, int month);

    /// English month and weekday names (1..12, 0..6 from Sunday).
    static std::string_view monthName(int month);
    static std::string_view monthAbbreviation(int month);  ///< upper case: "JAN"
    static std::string_view weekdayName(int weekday);
    /// 1..12 for a three-letter month abbreviation or a full month name in any
    /// case; 0 when it is neither.
    static int monthFromName(std::string_view text);
};

} // namespace orvane
