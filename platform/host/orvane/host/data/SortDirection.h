// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>
#include <string>
#include <string_view>

namespace orvane {

/// The host's sort-direction enumeration (value-type code -1074).
class ORVANE_HOST_EXPORT SortDirection {
public:
    enum type : int { NONE = 0, ASCENDING = 1, DESCENDING = 2 };
    static constexpr int VALUE_TYPE = -1074;

    static bool isValueValid(std::string_view name);
    static type getValueFromString(std::string_view name, type defaultValue = NONE);
    static std::shared_ptr<const std::string> getStringFromValue(type value);
    static std::string getXmlRepresentation(type value);
};

} // namespace orvane
