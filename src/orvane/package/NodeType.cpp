// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/NodeType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 4> kStringToEnum{{{"GRAND_TOTAL", 3}, {"NONE", 0}, {"SUBTOTAL", 2}, {"TOTAL", 1}}};
constexpr std::array<std::string_view, 4> kNames{{"NONE", "TOTAL", "SUBTOTAL", "GRAND_TOTAL"}};
} // namespace

const EnumerationTable& NodeType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
