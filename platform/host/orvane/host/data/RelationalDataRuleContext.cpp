// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/RelationalDataRuleContext.h"

namespace orvane {

bool RelationalDataRuleContext::hasLevel(const std::string& name) const {
    for (const auto& l : rowLevels_)
        if (l.name == name) return true;
    for (const auto& l : columnLevels_)
        if (l.name == name) return true;
    return false;
}

} // namespace orvane
