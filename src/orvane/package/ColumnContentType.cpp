// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/ColumnContentType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 2> kStringToEnum{{{"ICON", 0}, {"TEXT", 1}}};
constexpr std::array<std::string_view, 2> kNames{{"ICON", "TEXT"}};
} // namespace

const EnumerationTable& ColumnContentType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
