// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/TotalsPosition.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 2> kStringToEnum{{{"BOTTOM", 0}, {"TOP", 1}}};
constexpr std::array<std::string_view, 2> kNames{{"BOTTOM", "TOP"}};
} // namespace

const EnumerationTable& TotalsPosition::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
