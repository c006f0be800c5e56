// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/axis/TimeInterval.h"

#include <map>
#include <memory>
#include <string>

namespace orvane {

class Formatter;

/// Snaps values to the period boundaries of the unit a formatter shows (days
/// for DATE, months for MONYY, ...) and counts periods between values, for
/// sliders over date, time and date-time data.
class ORVANE_EXPORT TemporalSnapUtility {
public:
    /// The formatter may be null: the utility then has interval code NONE and
    /// every snap or count gives not-a-number.
    static std::shared_ptr<TemporalSnapUtility> create(const std::shared_ptr<const Formatter>& formatter);

    /// Format name to interval code: YEAR, QTR, MONTH, HOUR, MINUTE and DAY formats.
    static const std::map<std::string, IntervalConstants::constant>& getIntervalUnitTable();

    /// The interval of the formatter, computed on the first call and kept.
    std::shared_ptr<TimeInterval> getTimeInterval() const;
    /// The boundary reached from the start of value's period by `reference`
    /// periods (ZxAxis::getBeginingOfNextPeriodAfterStartValue).
    double snapValue(double value, double reference) const;
    /// Number of period boundaries between two values, in either order.
    double getNumberOfPeriodsBetweenValues(double a, double b) const;

private:
    std::shared_ptr<const Formatter> formatter_;
    mutable std::shared_ptr<TimeInterval> timeInterval_;
};

} // namespace orvane
