// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/axis/IntervalConstants.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace orvane {

/// A period unit with its multiple and shift: the input and the result of the
/// axis engine's time operations. A plain record, copied freely.
///
/// Interval names: an optional "DT" prefix (the interval applies to date-time
/// values), a base name ("MONTH", "QTR", ...), an optional multiple, an optional
/// "." and shift, and for weekday intervals the digits of the weekend days
/// (1 = Sunday ... 7 = Saturday) followed by "W", before the multiple:
/// "DTMONTH3.2", "YEAR.7", "WEEKDAY17W", "WEEKDAY67W2".
class ORVANE_EXPORT TimeInterval {
public:
    /// 1 = seconds (date-time or time values), 2 = days (date values),
    /// 3 and 4 = plain numbers; 0 = not known yet.
    int valueKind = 0;
    IntervalConstants::constant intervalCode = IntervalConstants::NONE;
    /// Units per period ("MONTH3" has 3); values below 1 count as 1.
    int multiple = 1;
    /// 1-based start of the period in shift units (months for YEAR, QTR and
    /// SEMIYEAR, days for WEEK, the unit itself otherwise); 0 and 1 are unshifted.
    int shift = 0;
    /// Two integers the engine carries along unread (the caller's own use).
    int userValue1 = 0;
    int userValue2 = 0;
    /// Days of the week (index 0 = Sunday) that a WEEKDAY interval skips.
    std::array<bool, 7> weekendDays{};
    /// The name the interval was parsed from, if any.
    std::shared_ptr<const std::string> name;

    static std::shared_ptr<TimeInterval> create();
    /// An interval parsed from a name (see setFromName).
    static std::shared_ptr<TimeInterval> create(std::string_view intervalName);
    std::shared_ptr<TimeInterval> clone() const;

    /// Parses an interval name into this record: code, multiple, shift, weekend
    /// days, and valueKind 1 for the "DT" prefix (other kinds are left as they
    /// are). An unknown base name gives code NONE. Text after the letters that
    /// does not follow the grammar (a second ".", a "W" after the shift, any
    /// other character, a weekend digit outside 1..7, a number too long) makes
    /// the name invalid: the code of the letters stays, multiple 1, shift 0.
    /// A WEEKDAY name without weekend digits skips Saturday and Sunday.
    /// Returns false for an unknown base name or an invalid suffix.
    bool setFromName(std::string_view intervalName);

    /// The interval written as a name ("DTMONTH3.2", "WEEKDAY17W"); the "DT"
    /// prefix is written for calendar units over seconds.
    std::string toString() const;

    int effectiveMultiple() const { return multiple < 1 ? 1 : multiple; }
    /// 0 for unshifted intervals, else shift - 1 (the offset in shift units).
    int shiftOffset() const { return shift > 1 ? shift - 1 : 0; }
    int weekendDayCount() const;
};

} // namespace orvane
