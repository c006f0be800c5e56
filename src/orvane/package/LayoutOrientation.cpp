// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/LayoutOrientation.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 2> kStringToEnum{{{"HORIZONTAL", 0}, {"VERTICAL", 1}}};
constexpr std::array<std::string_view, 2> kNames{{"HORIZONTAL", "VERTICAL"}};
} // namespace

const EnumerationTable& LayoutOrientation::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
