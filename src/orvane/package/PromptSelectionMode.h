#pragma once
#include "orvane/package/EnumerationTable.h"

namespace orvane {

// Enumeration PromptSelectionMode: names in upper case, document form in lower case.
class PromptSelectionMode : public Enumeration<PromptSelectionMode> {
public:
    enum type : int { DISCRETE = 0, RANGE = 1 };
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
