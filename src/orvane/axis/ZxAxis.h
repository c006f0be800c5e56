// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/axis/LogarithmTickmarks.h"
#include "orvane/axis/TimeInterval.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

class Formatter;

/// The axis engine: chooses round-numbered ticks for numeric, integer,
/// logarithmic and date/time axes, steps values to period boundaries, counts
/// boundaries between values and picks label formats. Dates are day numbers and
/// date-times second numbers counted from 1 January 1960; times of day seconds.
/// Every operation is static and stateless.
class ORVANE_EXPORT ZxAxis {
public:
    /// Evenly spaced ticks: first, first + step, ... (count values).
    struct Ticks {
        double first = 0;
        double step = 0;
        double count = 0;
    };
    struct IntegerTicks {
        int64_t first = 0;
        int64_t step = 0;
        int64_t count = 0;
    };
    struct MonthDayYear {
        int month = 0;
        int day = 0;
        int year = 0;
    };
    /// The ticks of a time axis.
    struct TimeTicks {
        /// True when an interval with at most maxTicks boundaries over the range
        /// was found; the values below are filled only then.
        bool found = false;
        /// The chosen interval (the last one tried when none fits).
        std::shared_ptr<TimeInterval> major;
        /// The interval subdividing it (code NONE when it has none).
        std::shared_ptr<TimeInterval> minor;
        /// Label format name of the major ticks ("MONYY7", "DTDATE9", "TIME5", ...).
        std::string format;
        /// The axis runs from the start of the first value's period to the
        /// boundary at or after the last value.
        double first = 0;
        double last = 0;
        std::vector<double> majorValues;
        std::vector<double> minorValues;
    };

    // ---------------------------------------------------------------- numeric
    // Ticks for the range between min and max (in either order): at most
    // maxTicks of them (taken as 2..6 for the fallback), spanning the range with
    // the fill ratios fillFine (default 0.6) and fillCoarse (default 0.8).
    // includeZero widens the range to 0. The flag has no effect. Degenerate and
    // non-finite ranges fall back to evenly spaced ticks from the lower bound.
    static Ticks znaxis(double min, double max, bool flag, bool includeZero, int maxTicks, double fillFine,
                        double fillCoarse);
    /// The same on whole numbers (bounds rounded outwards); steps are at least 1.
    /// Bounds that are not finite or beyond +-2^53 give no ticks (count 0).
    static IntegerTicks ziaxis(double min, double max, bool flag, bool includeZero, int maxTicks, double fillFine,
                               double fillCoarse);
    /// (min, (max - min)/(n - 1), n) with n = maxTicks taken as 2..6.
    static Ticks noRange(double min, double max, bool flag, int maxTicks);

    // ------------------------------------------------------------ logarithmic
    // Ticks of a logarithmic axis. Empty when min, max or base is not a
    // positive finite number or base is 1. Majors are powers of base (uniform:
    // evenly spaced exponents chosen by znaxis); minors only with wantMinor and
    // two majors or more: base 10 automatic (minorCount < 0) or minorCount
    // evenly spaced values per major interval, uniform a midpoint per interval.
    static std::shared_ptr<LogarithmTickmarks> zlogaxis(double min, double max, double base, int maxTicks,
                                                        double fillFine, double fillCoarse, bool wantMinor,
                                                        bool uniform, int minorCount);
    static void zlogaxis_uniform(LogarithmTickmarks& tickmarks, double min, double max, double base, int maxTicks,
                                 double fillFine, double fillCoarse);
    static void zlogaxis_log(LogarithmTickmarks& tickmarks, double min, double max, double base, int maxTicks,
                             double fillFine, double fillCoarse);
    static void zlogaxis_minor_10(LogarithmTickmarks& tickmarks, double min, double max);
    static void zlogaxis_user_minor_10(LogarithmTickmarks& tickmarks, int minorCount, double min, double max);
    static void zlogaxis_minor_uniform(LogarithmTickmarks& tickmarks);

    // ------------------------------------------------------------ time axes
    // Chooses the interval, ticks and label format of a time axis. The interval
    // (may be null) gives the starting unit; without a code the unit is derived
    // from the formatter's format name. The chosen interval is written back
    // into it. Throws std::runtime_error "ZxAxis : Minimum value or maximum
    // value is out of range." for values outside the valid dates (or not
    // finite), and "Bad DateTime format" when no unit can be derived.
    static TimeTicks ztaxis(const std::shared_ptr<TimeInterval>& interval, double min, double max, int maxTicks,
                            bool wide, const std::shared_ptr<const Formatter>& formatter);
    /// Coarsens the interval along the ladder until the boundaries from the
    /// start of min's period to max rounded up to a boundary are at most
    /// maxTicks. False when no interval fits or a boundary is not a number.
    /// The format (when asked for) receives zintfmt(interval, wide).
    static bool computeMajorTickmarkIntervalAndFormat(TimeInterval& interval, double min, double max, int maxTicks,
                                                      TimeInterval& scratch, bool wide = true,
                                                      std::string* format = nullptr);
    /// The interval subdividing a major one: the same unit with the multiple
    /// divided by its smallest prime factor, or the next finer unit.
    static std::shared_ptr<TimeInterval> getMinorIntervals(const TimeInterval& major);
    /// Fills first, last, majorValues and minorValues of a result for the range.
    /// False (logged "ztaxis2: invalid axis interval code") for a major interval
    /// the engine cannot step, false also for ranges of more than 100000 majors.
    static bool ztaxis2(const TimeInterval& major, const TimeInterval& minor, double min, double max,
                        TimeTicks& result);
    /// The next coarser interval after current (valueKind copied); false at the
    /// end of the ladder and where the ladder has no coarser entry.
    static bool loadOuterIntervalDefinitionGivenCurrentInterval(const TimeInterval& current, TimeInterval& out);

    /// The boundary reached from the start of start's period by a number of
    /// periods (0: the start of the period holding start). Not-a-number for
    /// unsupported value kinds and codes and for days outside the valid range.
    static double getBeginingOfNextPeriodAfterStartValue(const TimeInterval& interval, double start, double steps);
    static double getBeginingOfNextPeriodAfterStartValue(const std::shared_ptr<const TimeInterval>& interval,
                                                         double start, double steps);
    /// Number of period boundaries in (a, b].
    static double getNumberOfIntervalBoundaries(const TimeInterval& interval, double a, double b);
    static double getNumberOfIntervalBoundaries(const std::shared_ptr<const TimeInterval>& interval, double a,
                                                double b);
    /// A value rounded up to a boundary: the value itself when it is one.
    static double zintcl(const TimeInterval& interval, double value);

    // ---------------------------------------------------------------- formats
    // The tick label format of an interval ("" for none).
    static std::string zintfmt(const TimeInterval& interval, bool wide);
    static std::string zintfmt(const std::shared_ptr<const TimeInterval>& interval, bool wide);
    /// Time-of-day label formats: "TIME8" when the ticks fall on seconds, else
    /// "TIME5"; zintfmm2 the same in "TIMEAMPM".
    static std::string zintfmm(const TimeInterval& interval);
    static std::string zintfmm2(const TimeInterval& interval);
    /// The base name of a (possibly localized) format name: "NLDATEMD9." gives "DATE".
    static std::string englishFormatNameForFormatName(const std::string& formatName);
    /// True when every value is a valid day number (a formatter of dates), a
    /// valid second number (date-times and times) or finite (other formatters
    /// and no formatter).
    static bool isValidDateTime(const std::vector<double>& values, const std::shared_ptr<const Formatter>& formatter);
    /// The period boundaries at or below and at or above a value, for the unit
    /// of the formatter's format (both not-a-number when it has none or the
    /// value is not a valid date-time).
    static std::pair<double, double> getClosestDates(double value, const std::shared_ptr<const Formatter>& formatter);

    // ------------------------------------------------------------- calendar
    // Day number of a date; years 0..19 mean 2000..2019, 20..99 mean 1920..1999.
    // Months outside 1..12 carry into the year and days roll over; years beyond
    // +-100000000 give 0.
    static int64_t ziddmdy(int month, int day, int year);
    static MonthDayYear zidmdyd(int64_t day);
    static bool LEAPYEAR(int64_t year);
    static int64_t NLEAP(int64_t year);
    static int64_t ldiv(int64_t a, int64_t b);
    static int64_t lmod(int64_t a, int64_t b);
    static int getSmallestPrimeFactor(int value);

private:
    /// The interval implied by a formatter's format (code and value kind); false
    /// when the format is not a date, date-time or time format the engine knows.
    static bool _intervalForFormatter(const std::shared_ptr<const Formatter>& formatter, TimeInterval& out,
                                      std::string& englishName);
};

} // namespace orvane
