// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration CompactFormatPrecision: names in upper case, document form in lower case.
class ORVANE_EXPORT CompactFormatPrecision : public Enumeration<CompactFormatPrecision> {
public:
    enum type : int { AUTO = 0, NUMBER = 1 };
    static constexpr int VALUE_TYPE = -2006;
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
