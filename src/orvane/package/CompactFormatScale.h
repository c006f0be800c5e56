// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration CompactFormatScale: names in upper case, document form in lower case.
class ORVANE_EXPORT CompactFormatScale : public Enumeration<CompactFormatScale> {
public:
    enum type : int { VALUE = 0, NUMBER = 1 };
    static constexpr int VALUE_TYPE = -2007;
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
