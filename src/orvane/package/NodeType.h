// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration NodeType: names in upper case, document form in lower case.
class ORVANE_EXPORT NodeType : public Enumeration<NodeType> {
public:
    enum type : int { NONE = 0, TOTAL = 1, SUBTOTAL = 2, GRAND_TOTAL = 3 };
    static constexpr int COUNT = 4;
    static const EnumerationTable& table();
};

} // namespace orvane
