// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/IntervalDefinition.h"

#include <utility>

namespace orvane {

IntervalDefinition::IntervalDefinition(int inner, int largest, std::string name, std::string format, int wide,
                                       int narrow)
    : innerCode(inner),
      largestInnerMultiple(largest),
      intervalName(std::move(name)),
      labelFormat(std::move(format)),
      wideLabelWidth(wide),
      narrowLabelWidth(narrow) {
    if (largestInnerMultiple != END_OF_LADDER) interval = TimeInterval::create(intervalName);
}

const std::vector<IntervalDefinition>& IntervalDefinition::ladder() {
    using C = IntervalConstants;
    constexpr int any = ANY_MULTIPLE;
    // The walk over this table relies on its order row by row: rows are
    // grouped by inner code, except the WEEKDAY rows (27) that follow the first
    // WEEK row (30).
    static const std::vector<IntervalDefinition> rows = [] {
        std::vector<IntervalDefinition> r{
            {C::SECOND, 1, "SECOND5", "DATETIME", 16, 16},
            {C::SECOND, 5, "SECOND10", "DATETIME", 16, 16},
            {C::SECOND, any, "MINUTE", "DATETIME", 13, 13},
            {C::MINUTE, 1, "MINUTE5", "DATETIME", 13, 13},
            {C::MINUTE, 5, "MINUTE10", "DATETIME", 13, 13},
            {C::MINUTE, any, "HOUR", "DATETIME", 10, 10},
            {C::HOUR, 1, "HOUR2", "DATETIME", 10, 10},
            {C::HOUR, 2, "HOUR3", "DATETIME", 10, 10},
            {C::HOUR, 3, "HOUR6", "DATETIME", 10, 10},
            {C::HOUR, 6, "HOUR12", "DATETIME", 10, 10},
            {C::HOUR, any, "DAY", "DATETIME", 9, 7},
            {C::DAY, 1, "DAY2", "DATE    ", 9, 7},
            {C::DAY, any, "WEEK", "DATE    ", 28, 27},
            {C::WEEK, any, "SEMIMONTH", "DATE    ", 9, 7},
            {C::WEEKDAY, 1, "WEEK", "DATE    ", 28, 27},
            {C::WEEKDAY, any, "SEMIMONTH", "DATE    ", 9, 7},
            {C::WEEK, 1, "WEEK2", "WEEKDATX", 28, 27},
            {C::WEEK, 2, "WEEK4", "WEEKDATX", 28, 27},
            {C::WEEK, any, "MONTH2", "WEEKDATX", 7, 5},
            {C::TENDAY, any, "MONTH", "MONYY   ", 7, 5},
            {C::SEMIMONTH, any, "MONTH", "MONYY   ", 7, 5},
            {C::MONTH, 1, "MONTH2", "MONYY   ", 7, 5},
            {C::MONTH, 2, "MONTH3", "MONYY   ", 7, 5},
            {C::MONTH, 3, "MONTH4", "MONYY   ", 7, 5},
            {C::MONTH, 4, "MONTH6", "MONYY   ", 7, 5},
            {C::MONTH, any, "YEAR", "YEAR    ", 4, 2},
            {C::QTR, 1, "QTR2", "YYQC    ", 6, 4},
            {C::QTR, any, "YEAR", "YEAR    ", 4, 2},
            {C::SEMIYEAR, any, "YEAR", "YEAR    ", 4, 2},
            {C::YEAR, 1, "YEAR2", "YEAR    ", 4, 2},
            {C::YEAR, 2, "YEAR5", "YEAR    ", 4, 2},
            {C::YEAR, 5, "YEAR10", "YEAR    ", 4, 2},
            {C::YEAR, 10, "YEAR20", "YEAR    ", 4, 2},
            {C::YEAR, 20, "YEAR50", "YEAR    ", 4, 2},
            {C::YEAR, 99, "YEAR100", "YEAR    ", 4, 2},
            {C::YEAR, END_OF_LADDER, "**end**", "        ", 0, 0},
        };
        return r;
    }();
    return rows;
}

} // namespace orvane
