// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/TemporalSnapUtility.h"

#include "orvane/axis/DateFormatNameConversion.h"
#include "orvane/axis/ZxAxis.h"

#include "orvane/host/format/Formatter.h"

#include <algorithm>

namespace orvane {

std::shared_ptr<TemporalSnapUtility> TemporalSnapUtility::create(const std::shared_ptr<const Formatter>& formatter) {
    auto u = std::make_shared<TemporalSnapUtility>();
    u->formatter_ = formatter;
    return u;
}

const std::map<std::string, IntervalConstants::constant>& TemporalSnapUtility::getIntervalUnitTable() {
    using C = IntervalConstants;
    static const std::map<std::string, C::constant> table{
        {"YEAR", C::YEAR},     {"DTYEAR", C::YEAR},   {"QTR", C::QTR},         {"QTRR", C::QTR},
        {"YYQ", C::QTR},       {"YYQC", C::QTR},      {"YYQR", C::QTR},        {"DTYYQC", C::QTR},
        {"MMYY", C::MONTH},    {"MONNAME", C::MONTH}, {"MONTH", C::MONTH},     {"MONYY", C::MONTH},
        {"YYMON", C::MONTH},   {"YYMM", C::MONTH},    {"DTMONYY", C::MONTH},   {"HOUR", C::HOUR},
        {"HHMM", C::MINUTE},   {"DTDATE", C::DAY},    {"DTWKDATX", C::DAY},
    };
    return table;
}

std::shared_ptr<TimeInterval> TemporalSnapUtility::getTimeInterval() const {
    if (timeInterval_) return timeInterval_;
    timeInterval_ = TimeInterval::create();
    TimeInterval& iv = *timeInterval_;
    if (formatter_) {
        if (formatter_->formatsDateValues())
            iv.valueKind = 2;
        else if (formatter_->formatsDateTimeValues() || formatter_->formatsTimeValues())
            iv.valueKind = 1;
        // The bare name: a name written with width and decimals still matches.
        auto name = DateFormatNameConversion::createExtractedFormatName(
            std::make_shared<const std::string>(formatter_->getName()));
        const auto& table = getIntervalUnitTable();
        auto it = table.find(*name);
        if (it != table.end())
            iv.intervalCode = it->second;
        else
            iv.intervalCode = iv.valueKind == 2 ? IntervalConstants::DAY : IntervalConstants::SECOND;
    }
    iv.multiple = 1;
    return timeInterval_;
}

double TemporalSnapUtility::snapValue(double value, double reference) const {
    return ZxAxis::getBeginingOfNextPeriodAfterStartValue(*getTimeInterval(), value, reference);
}

double TemporalSnapUtility::getNumberOfPeriodsBetweenValues(double a, double b) const {
    return ZxAxis::getNumberOfIntervalBoundaries(*getTimeInterval(), std::min(a, b), std::max(a, b));
}

} // namespace orvane
