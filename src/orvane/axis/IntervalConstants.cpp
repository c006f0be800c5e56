// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/IntervalConstants.h"

namespace orvane {

namespace {
bool anyOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (name == n) return true;
    return false;
}
} // namespace

IntervalConstants::constant IntervalConstants::getIntervalConstantForName(std::string_view name) {
    if (name.empty()) return NONE;
    switch (name[0]) {
    case 'A':
        if (anyOf(name, {"ANNUAL", "ANNUALLY", "ANNUALS"})) return YEAR;
        break;
    case 'D':
        if (anyOf(name, {"DAY", "DAYS", "DAILY"})) return DAY;
        break;
    case 'H':
        if (anyOf(name, {"HOUR", "HOURS", "HOURLY"})) return HOUR;
        break;
    case 'M':
        if (anyOf(name, {"MINUTE", "MINUTES"})) return MINUTE;
        if (anyOf(name, {"MONTH", "MONTHS", "MONTHLY"})) return MONTH;
        break;
    case 'N':
        break;  // "NONE" and unknown names alike give NONE
    case 'O':
        if (name == "OBS") return OBS;
        break;
    case 'Q':
        if (anyOf(name, {"QTR", "QTRS", "QTRLY", "QUARTER", "QUARTERS", "QUARTERLY"})) return QTR;
        break;
    case 'S':
        if (anyOf(name, {"SECOND", "SECONDS"})) return SECOND;
        if (anyOf(name, {"SEMIMONTH", "SEMIMONTHS", "SEMIMONTHLY", "SEMIMON"})) return SEMIMONTH;
        if (anyOf(name, {"SEMIYEAR", "SEMIYEARS", "SEMIYEARLY", "SEMIYR", "SEMIANNUAL", "SEMIANN"})) return SEMIYEAR;
        break;
    case 'T':
        if (name == "TENDAY") return TENDAY;
        break;
    case 'W':
        if (anyOf(name, {"WEEKDAY", "WEEKDAYS"})) return WEEKDAY;
        if (anyOf(name, {"WEEK", "WEEKS", "WEEKLY"})) return WEEK;
        break;
    case 'Y':
        if (anyOf(name, {"YEAR", "YEARS", "YEARLY", "YR"})) return YEAR;
        break;
    default:
        break;
    }
    return NONE;
}

const char* IntervalConstants::getNameForIntervalConstant(int code) {
    switch (code) {
    case OBS: return "OBS";
    case SECOND: return "SECOND";
    case MINUTE: return "MINUTE";
    case HOUR: return "HOUR";
    case DAY: return "DAY";
    case WEEKDAY: return "WEEKDAY";
    case WEEK: return "WEEK";
    case TENDAY: return "TENDAY";
    case SEMIMONTH: return "SEMIMONTH";
    case MONTH: return "MONTH";
    case QTR: return "QTR";
    case SEMIYEAR: return "SEMIYEAR";
    case YEAR: return "YEAR";
    default: return "NONE";
    }
}

bool IntervalConstants::isKnownConstant(int code) {
    switch (code) {
    case NONE: case OBS: case SECOND: case MINUTE: case HOUR: case DAY: case WEEKDAY: case WEEK:
    case TENDAY: case SEMIMONTH: case MONTH: case QTR: case SEMIYEAR: case YEAR:
        return true;
    default:
        return false;
    }
}

} // namespace orvane
