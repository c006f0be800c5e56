// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <string>
#include <string_view>

namespace orvane {

/// Names of the compact forms of number formats. A compact name is the base
/// name prefixed with "CMP"; its decimals are the precision and an optional
/// "x" + divisor is the scale (see Formatter for the grammar):
///   getCompactPrecisionFormatName("COMMA12.2", 1000, 1) == "CMPCOMMA12.1x1000"
///   getCompactBusinessFormatName("DOLLAR12.2")          == "CMPDOLLAR12.1"
class ORVANE_HOST_EXPORT NumericFormatUtil {
public:
    /// The compact name for a scale (divisor; 0 = automatic thousands,
    /// millions, ...) and a precision (decimal places; 0 = those of the base
    /// format). Empty when both are 0 (unset) or when the format is not a
    /// number format.
    static std::string getCompactPrecisionFormatName(std::string_view formatName, unsigned int scale,
                                                     unsigned int precision);
    /// The business compact name: automatic abbreviation with one decimal
    /// ("1.2K", "3.4M", "5.6B"). Empty when the format is not a number format.
    static std::string getCompactBusinessFormatName(std::string_view formatName);
};

} // namespace orvane
