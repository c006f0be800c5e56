// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <string_view>

namespace orvane {

/// The period units of time intervals. Codes below 25 are time units counted in
/// seconds; codes 25 and above are calendar units counted in days.
class ORVANE_EXPORT IntervalConstants {
public:
    enum constant : int {
        NONE = 0,
        OBS = 1,         ///< observations (plain numbers)
        SECOND = 10,
        MINUTE = 15,
        HOUR = 20,
        DAY = 25,
        WEEKDAY = 27,
        WEEK = 30,
        TENDAY = 35,
        SEMIMONTH = 40,
        MONTH = 45,
        QTR = 50,
        SEMIYEAR = 55,
        YEAR = 60,
    };

    /// The code for a base interval name ("MONTH", "QTRLY", "SEMIYR", ...). The
    /// first letter selects the candidates, the rest must match exactly; every
    /// other text gives NONE.
    static constant getIntervalConstantForName(std::string_view name);

    /// The canonical base name of a code ("MONTH" for 45); "NONE" for 0 and for
    /// codes that are not units.
    static const char* getNameForIntervalConstant(int code);

    /// True for the codes listed above (NONE included).
    static bool isKnownConstant(int code);
};

} // namespace orvane
