// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration PromptSelectionMode: names in upper case, document form in lower case.
class ORVANE_EXPORT PromptSelectionMode : public Enumeration<PromptSelectionMode> {
public:
    enum type : int { DISCRETE = 0, RANGE = 1 };
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
